#!/usr/bin/perl
# Splits an item data file into blocks and fields and writes it back: the
# yardstick of the document benchmark (bench/run_document_bench.sh).
#
#   perl split-item-data.pl IN OUT
#
# Reads IN, turns CR LF into LF, cuts the text into blocks (a line whose
# first characters after optional blanks are "@@" begins a block) and each
# block into lines, taking tab-indented "key<TAB>value" lines apart into key
# and value. Then writes the blocks back to OUT, the fields as
# "<TAB>key<TAB>value", every line with CR LF. Prints the number of blocks
# and the CPU seconds each half took: "split S" (reading included) and
# "write S".
use strict;
use warnings;
use Time::HiRes qw(clock_gettime CLOCK_PROCESS_CPUTIME_ID);

sub cpu_seconds { return clock_gettime(CLOCK_PROCESS_CPUTIME_ID) }

@ARGV == 2 or die "usage: $0 IN OUT\n";
my ($in_path, $out_path) = @ARGV;

my $start = cpu_seconds();
open my $in, '<:raw', $in_path or die "$in_path: $!\n";
my $text = do { local $/; <$in> };
close $in;
$text =~ s/\r\n/\n/g;

# A block is its first line and its lines; a field line is [key, value],
# any other line its text.
my @blocks = ({ head => undef, lines => [] });
for my $line (split /\n/, $text, -1) {
    if ($line =~ /^[ \t]*@@/) {
        push @blocks, { head => $line, lines => [] };
    } elsif ($line =~ /^\t+([^\t]+)\t(.*)$/) {
        push @{ $blocks[-1]{lines} }, [ $1, $2 ];
    } else {
        push @{ $blocks[-1]{lines} }, $line;
    }
}
my $split = cpu_seconds() - $start;

$start = cpu_seconds();
open my $out, '>:raw', $out_path or die "$out_path: $!\n";
for my $block (@blocks) {
    print $out $block->{head}, "\r\n" if defined $block->{head};
    for my $line (@{ $block->{lines} }) {
        if (ref $line) {
            print $out "\t", $line->[0], "\t", $line->[1], "\r\n";
        } else {
            print $out $line, "\r\n";
        }
    }
}
close $out or die "$out_path: $!\n";
my $write = cpu_seconds() - $start;

printf "blocks %d\nsplit %.6f\nwrite %.6f\n", scalar @blocks, $split, $write;
