#!/usr/bin/perl
# Writes data files of many small or bare elements, for the memory an
# element costs:
#
#   gen-sparse-data.pl KIND N > FILE
#
# KIND is one of
#   bare-uses    one item holding N "@@USE" lines and nothing else in them
#   bare-items   N "@@ITEM" lines
#   bare-events  N "@@EVENT" lines
#   small-items  N items of about 400 bytes: twelve short fields, one use
#                entry with five fields and a use and a get line
# The output is CP932 (ASCII only) with CR LF line ends and depends only on
# KIND and N. Bad arguments print the usage and exit with status 2.
use strict;
use warnings;

my ($kind, $n) = @ARGV;
if (!defined $n || $n !~ /^[1-9][0-9]*$/ || @ARGV != 2
    || $kind !~ /^(bare-uses|bare-items|bare-events|small-items)$/) {
    print STDERR "usage: gen-sparse-data.pl bare-uses|bare-items|bare-events|small-items N\n";
    exit 2;
}
binmode STDOUT;

if ($kind eq 'bare-uses') {
    print "\@\@ITEM\r\n\tno\t1\r\n\tname\tholder\r\n";
    print "\@\@USE\r\n" for 1 .. $n;
} elsif ($kind eq 'bare-items') {
    print "\@\@ITEM\r\n" for 1 .. $n;
} elsif ($kind eq 'bare-events') {
    print "\@\@EVENT\r\n" for 1 .. $n;
} else {
    for my $i (1 .. $n) {
        my $before = $i > 1 ? $i - 1 : 1;
        print "\@\@ITEM\r\n",
            "\tno\t$i\r\n\ttype\tfood\r\n\tcode\titem$i\r\n\tname\tname-of-item-$i\r\n",
            "\tinfo\tA small item for the benchmark, number $i.\r\n",
            "\tprice\t", 10 + $i % 90, "\r\n\tcost\t1\r\n\tlimit\t100/50\r\n\tpop\t1000\r\n",
            "\tscale\tbag\r\n\tplus\t600\r\n\tbase\t40/120\r\n\tpoint\t1\r\n",
            "\t\@\@USE\r\n\t\tname\tmake it\r\n\t\tprice\t10\r\n\t\ttime\t1800\r\n",
            "\t\tinfo\tMakes one more of item $i.\r\n\t\tokmsg\tDone.\r\n",
            "\t\t\tuse\t2\tname-of-item-$before\r\n\t\t\tget\t1\tname-of-item-$i\r\n\r\n";
    }
}
