#!/usr/bin/perl
#
# gen-item-data.pl N [SEED [EVENTS]] > inc-item-data.cgi
#
# Writes a large item data file for tests and benchmarks: the editor's
# project-information block, free text, a definition block with types, jobs
# and time-rate lines, all twelve function blocks, N items (most of them with
# use entries: job lines, use/need/get lines, one-line and _local_ scripts,
# argselect choices, comments), EVENTS events with params (default about
# N/10), @@IF lines
# around a few items and the last event, a @@SKIP section and an @@END tail.
#
# The output is CP932 (Shift-JIS) with CR LF line ends and tab-separated
# fields, like the game's own file. It depends only on N, SEED (default 1)
# and EVENTS: the same arguments give the same bytes on every machine. Every item
# name is unique and every item name used in a use/need/get line or an event
# param belongs to an item, every type and job name is defined, and the file
# holds nothing that the reader would report.
#
# Only core perl is needed (no modules): the Japanese texts below are
# written as CP932 byte escapes, each with its reading in a comment.
use strict;
use warnings;

my $usage = "usage: gen-item-data.pl N [SEED [EVENTS]] > FILE   (N >= 1 items, SEED a number, default 1,\n"
          . "       EVENTS >= 1 events, default about N/10)\n";
sub usage { print STDERR $usage; exit 2 }
usage() if @ARGV < 1 || @ARGV > 3;
my ($N, $SEED, $EVENTS) = @ARGV;
$SEED = 1 unless defined $SEED;
usage() unless $N =~ /^[0-9]{1,8}$/ && $N >= 1 && $SEED =~ /^[0-9]{1,10}$/;
usage() if defined $EVENTS && !($EVENTS =~ /^[0-9]{1,8}$/ && $EVENTS >= 1);
$N += 0;
$SEED += 0;
binmode STDOUT;

# ---------------------------------------------------------------------------
# Word lists (CP932)
# ---------------------------------------------------------------------------
my @NOUN = (
    "\x8F\xAC\x94\x9E",    # 小麦
    "\x8F\xAC\x94\x9E\x95\xB2",    # 小麦粉
    "\x8D\x95\x83p\x83\x93",    # 黒パン
    "\x8B\x8D\x93\xFB",    # 牛乳
    "\x83\x60\x81\x5B\x83Y",    # チーズ
    "\x83\x5C\x81\x5B\x83Z\x81\x5B\x83W",    # ソーセージ
    "\x91N\x8B\x9B",    # 鮮魚
    "\x82\xE8\x82\xF1\x82\xB2",    # りんご
    "\x8A\xB1\x82\xB5\x93\xF7",    # 干し肉
    "\x96I\x96\xA8",    # 蜂蜜
    "\x93S\x8Dz\x90\xCE",    # 鉄鉱石
    "\x93S\x83C\x83\x93\x83S\x83b\x83g",    # 鉄インゴット
    "\x96\xD8\x8D\xDE",    # 木材
    "\x96\xC8\x89\xD4",    # 綿花
    "\x96\xD8\x96\xC8\x82\xCC\x95z",    # 木綿の布
    "\x82\xC8\x82\xDF\x82\xB5\x8Av",    # なめし革
    "\x96\xF2\x91\x90",    # 薬草
    "\x8C\xB4\x90\xCE",    # 原石
    "\x8B\xE2\x89\xF2",    # 銀塊
    "\x93S\x93B",    # 鉄釘
    "\x8B\xE0\x92\xC6",    # 金槌
    "\x82\xCC\x82\xB1\x82\xAC\x82\xE8",    # のこぎり
    "\x96D\x82\xA2\x90j",    # 縫い針
    "\x83t\x83\x89\x83X\x83R",    # フラスコ
    "\x83\x89\x83\x93\x83\x5E\x83\x93",    # ランタン
    "\x92\xDE\x82\xE8\x8A\xC6",    # 釣り竿
    "\x93S\x93\xE7",    # 鉄鍋
    "\x83i\x83C\x83t",    # ナイフ
    "\x83V\x83\x87\x81\x5B\x83g\x83\x5C\x81\x5B\x83h",    # ショートソード
    "\x93S\x82\xCC\x91\x84",    # 鉄の槍
    "\x8E\xEB\x90l\x82\xCC\x8B\x7C",    # 狩人の弓
    "\x8Av\x82\xCC\x96X\x8Eq",    # 革の帽子
    "\x8F\x5C\x8E\x9A\x82\xCC\x8F\x82",    # 十字の盾
    "\x8D\xBD\x82\xA9\x82\xBD\x82\xD1\x82\xE7",    # 鎖かたびら
    "\x83u\x81\x5B\x83c",    # ブーツ
    "\x97\xBF\x97\x9D\x92\xA0",    # 料理帳
    "\x8E\xE8\x88\xF8\x82\xAB\x8F\x91",    # 手引き書
    "\x8AC\x90\x7D",    # 海図
    "\x8D\xCB\x94\x5C\x82\xCC\x8F\x91",    # 才能の書
    "\x8F\x9D\x96\xF2",    # 傷薬
    "\x93\xC5\x8F\xC1\x82\xB5",    # 毒消し
    "\x97\xEC\x96\xF2",    # 霊薬
    "\x8B\xE2\x82\xCC\x8Ew\x97\xD6",    # 銀の指輪
    "\x95\xF3\x90\xCE",    # 宝石
    "\x8E\xF1\x8F\xFC\x82\xE8",    # 首飾り
    "\x95\x5C\x8ED",    # 表札
    "\x97\x5C\x94\xF5\x82\xCC\x92M",    # 予備の樽
    "\x8D\x81\x90\x85",    # 香水
);
my @ADJ = (
    "\x8F\xE3\x93\x99\x82\xC8",    # 上等な
    "\x88\xC0\x95\xA8\x82\xCC",    # 安物の
    "\x8C\xC3\x82\xA2",    # 古い
    "\x90V\x82\xB5\x82\xA2",    # 新しい
    "\x91\xE5\x82\xAB\x82\xC8",    # 大きな
    "\x8F\xAC\x82\xB3\x82\xC8",    # 小さな
    "\x8D\x60\x82\xCC",    # 港の
    "\x96k\x95\xFB\x82\xCC",    # 北方の
    "\x93\x8C\x95\xFB\x82\xCC",    # 東方の
    "\x93\xC1\x90\xBB\x82\xCC",    # 特製の
    "\x8E\xE8\x8D\xEC\x82\xE8\x82\xCC",    # 手作りの
    "\x96\xBC\x90l\x82\xCC",    # 名人の
    "\x8C\xA9\x8FK\x82\xA2\x82\xCC",    # 見習いの
    "\x8A\xE6\x8F\xE4\x82\xC8",    # 頑丈な
    "\x8Cy\x82\xA2",    # 軽い
    "\x92\xBF\x82\xB5\x82\xA2",    # 珍しい
);
my @TYPE = (
    "\x90H\x97\xBF\x95i",    # 食料品
    "\x91f\x8D\xDE",    # 素材
    "\x93\xB9\x8B\xEF",    # 道具
    "\x95\x90\x8A\xED",    # 武器
    "\x96h\x8B\xEF",    # 防具
    "\x8F\x91\x95\xA8",    # 書物
    "\x96\xF2\x95i",    # 薬品
    "\x95\xF3\x8F\xFC\x95i",    # 宝飾品
    "\x8EG\x89\xDD",    # 雑貨
    "\x8BG\x90\xDF\x8C\xC0\x92\xE8",    # 季節限定
);
my @SCALE = (
    "\x8C\xC2",    # 個
    "\x96\x7B",    # 本
    "\x91\xDC",    # 袋
    "\x96\x87",    # 枚
    "\x8D\xFB",    # 冊
    "\x91\xA9",    # 束
    "\x92\x85",    # 着
    "\x91\xAB",    # 足
    "\x94\xA0",    # 箱
    "\x95r",    # 瓶
);
my @JOBNAME = (
    "\x94_\x89\xC6",    # 農家
    "\x97\xBF\x97\x9D\x90l",    # 料理人
    "\x92b\x96\xE8\x89\xAE",    # 鍛冶屋
    "\x8Ed\x97\xA7\x89\xAE",    # 仕立屋
    "\x96\xF2\x8Et",    # 薬師
    "\x8D\xD7\x8DH\x8Et",    # 細工師
    "\x8F\xA4\x90l",    # 商人
    "\x8Aw\x8E\xD2",    # 学者
);
my @ACTION = (
    "\x8D\xEC\x82\xE9",    # 作る
    "\x8F\xC4\x82\xAD",    # 焼く
    "\x88\xE7\x82\xC4\x82\xE9",    # 育てる
    "\x92b\x82\xA6\x82\xE9",    # 鍛える
    "\x96D\x82\xA4",    # 縫う
    "\x92\xB2\x8D\x87\x82\xB7\x82\xE9",    # 調合する
    "\x96\x81\x82\xAD",    # 磨く
    "\x93\xC7\x82\xDE",    # 読む
    "\x8Ed\x93\xFC\x82\xEA\x82\xE9",    # 仕入れる
    "\x91g\x82\xDD\x97\xA7\x82\xC4\x82\xE9",    # 組み立てる
);
my @INFOTAIL = (
    "\x82\xF0\x88\xB5\x82\xA2\x82\xDC\x82\xB7\x81B",    # を扱います。
    "\x82\xCD\x8D\x60\x92\xAC\x82\xC5\x82\xE6\x82\xAD\x94\x84\x82\xEA\x82\xDC\x82\xB7\x81B",    # は港町でよく売れます。
    "\x82\xCD\x92\xB7\x8E\x9D\x82\xBF\x82\xB5\x82\xDC\x82\xB7\x81B",    # は長持ちします。
    "\x82\xCD\x8F\x9D\x82\xDD\x82\xE2\x82\xB7\x82\xA2\x82\xCC\x82\xC5\x92\x8D\x88\xD3\x81B",    # は傷みやすいので注意。
    "\x82\xCD\x91\xA1\x82\xE8\x95\xA8\x82\xC9\x90l\x8BC\x82\xC5\x82\xB7\x81B",    # は贈り物に人気です。
    "\x82\xCD\x90E\x90l\x82\xCC\x98r\x82\xAA\x96\xE2\x82\xED\x82\xEA\x82\xDC\x82\xB7\x81B",    # は職人の腕が問われます。
);
my @OKMSG = (
    "\x82\xC5\x82\xAB\x82\xA0\x82\xAA\x82\xE8\x82\xDC\x82\xB5\x82\xBD\x81B",    # できあがりました。
    "\x82\xA4\x82\xDC\x82\xAD\x82\xA2\x82\xAB\x82\xDC\x82\xB5\x82\xBD\x81B",    # うまくいきました。
    "\x8C\xA9\x8E\x96\x82\xC8\x8Fo\x97\x88\x82\xC5\x82\xB7\x81B",    # 見事な出来です。
    "\x8Ev\x82\xC1\x82\xBD\x82\xE6\x82\xE8\x91\x81\x82\xAD\x8FI\x82\xED\x82\xE8\x82\xDC\x82\xB5\x82\xBD\x81B",    # 思ったより早く終わりました。
);
my @NGMSG = (
    "\x8E\xB8\x94s\x82\xB5\x82\xC4\x82\xB5\x82\xDC\x82\xA2\x82\xDC\x82\xB5\x82\xBD\x81B",    # 失敗してしまいました。
    "\x8D\xDE\x97\xBF\x82\xF0\x96\xB3\x91\xCA\x82\xC9\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81B",    # 材料を無駄にしました。
    "\x82\xA4\x82\xDC\x82\xAD\x82\xA2\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81B",    # うまくいきませんでした。
    "\x93r\x92\x86\x82\xC5\x93\xB9\x8B\xEF\x82\xAA\x89\xF3\x82\xEA\x82\xDC\x82\xB5\x82\xBD\x81B",    # 途中で道具が壊れました。
);
my @UNGMSG = (
    "\x91\xE5\x90\xAC\x8C\xF7",    # 大成功
    "\x89\xEF\x90S\x82\xCC\x8Fo\x97\x88",    # 会心の出来
    "\x82\xBD\x82\xAD\x82\xB3\x82\xF1\x8E\xE6\x82\xEA\x82\xBD",    # たくさん取れた
    "\x89\x5E\x82\xAA\x97\xC7\x82\xA9\x82\xC1\x82\xBD",    # 運が良かった
);
my @GROUP = (
    "\x8BG\x90\xDF",    # 季節
    "\x8AC",    # 海
    "\x92\xAC",    # 町
    "\x90\xA2\x8AE",    # 世界
);
my @EVSTART = (
    "\x82\xCC\x91\x8A\x8F\xEA\x82\xAA\x8F\xE3\x82\xAA\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7",    # の相場が上がっています
    "\x82\xCC\x91\x8A\x8F\xEA\x82\xAA\x89\xBA\x82\xAA\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7",    # の相場が下がっています
    "\x82\xAA\x95i\x94\x96\x82\xC5\x82\xB7",    # が品薄です
    "\x82\xAA\x91\xE5\x97\xCA\x82\xC9\x8Fo\x89\xF1\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7",    # が大量に出回っています
);
my @EVEND = (
    "\x82\xCC\x91\x8A\x8F\xEA\x82\xAA\x8C\xB3\x82\xC9\x96\xDF\x82\xE8\x82\xDC\x82\xB5\x82\xBD",    # の相場が元に戻りました
);
my %J = (
    pinfo        => "\x23\x23\x23\x82\xB1\x82\xB1\x82\xA9\x82\xE7MERX_PROJECT_INFO_END\x82\xDC\x82\xC5\x82\xCC\x8Ds\x82\xF0\x95\xD2\x8FW\x82\xB5\x82\xC8\x82\xA2\x82\xC5\x82\xAD\x82\xBE\x82\xB3\x82\xA2",    # ###ここからMERX_PROJECT_INFO_ENDまでの行を編集しないでください
    rulebeta     => "\x95W\x8F\x80 \x83x\x81\x5B\x83\x5E\x94\xC5(040318)",    # 標準 ベータ版(040318)
    title        => "\x8D\x60\x92\xAC\x82\xCC\x8F\xA4\x93X(\x90\xB6\x90\xAC\x83f\x81\x5B\x83\x5E)",    # 港町の商店(生成データ)
    generated    => "\x8E\xA9\x93\xAE\x90\xB6\x90\xAC\x82\xB3\x82\xEA\x82\xBD\x83A\x83C\x83e\x83\x80\x83f\x81\x5B\x83\x5E",    # 自動生成されたアイテムデータ
    winter       => "\x93\x7E\x82\xCC\x8A\xD4\x82\xBE\x82\xAF\x97L\x8C\xF8",    # 冬の間だけ有効
    allyear      => "\x82\xB1\x82\xB1\x82\xA9\x82\xE7\x89\xBA\x82\xCD\x88\xEA\x94N\x92\x86\x97L\x8C\xF8",    # ここから下は一年中有効
    retired      => "\x94\xCC\x94\x84\x82\xF0\x8FI\x82\xA6\x82\xBD\x83A\x83C\x83e\x83\x80",    # 販売を終えたアイテム
    memo         => "\x82\xB1\x82\xB1\x82\xA9\x82\xE7\x89\xBA\x82\xCD\x83Q\x81\x5B\x83\x80\x82\xAA\x93\xC7\x82\xDC\x82\xC8\x82\xA2\x83\x81\x83\x82",    # ここから下はゲームが読まないメモ
    rot          => "\x96\x88\x83\x5E\x81\x5B\x83\x93\x8F\xAD\x82\xB5\x82\xB8\x82\xC2\x8F\x9D\x82\xDE",    # 毎ターン少しずつ傷む
    needtool     => "\x93\xB9\x8B\xEF\x82\xAA\x95K\x97v",    # 道具が必要
    nomat        => "\x8D\xDE\x97\xBF\x82\xAA\x91\xAB\x82\xE8\x82\xDC\x82\xB9\x82\xF1",    # 材料が足りません
    nomoney      => "\x82\xA8\x8B\xE0\x82\xAA\x91\xAB\x82\xE8\x82\xDC\x82\xB9\x82\xF1",    # お金が足りません
    noexp        => "\x8Fn\x97\xFB\x93x\x82\xAA\x91\xAB\x82\xE8\x82\xDC\x82\xB9\x82\xF1",    # 熟練度が足りません
    notice       => "\x81y\x82\xA8\x92m\x82\xE7\x82\xB9\x81z",    # 【お知らせ】
    bake         => "\x8F\xC4\x82\xAB\x89\xC1\x8C\xB8",    # 焼き加減
    soft         => "\x82\xD3\x82\xF1\x82\xED\x82\xE8",    # ふんわり
    hard         => "\x82\xA9\x82\xBD\x82\xDF",    # かため
    finish       => "\x8Ed\x8F\xE3\x82\xB0",    # 仕上げ
    plain        => "\x91f\x96p\x82\xC8\x8Ed\x8F\xE3\x82\xB0",    # 素朴な仕上げ
    gold         => "\x8B\xE0\x82\xCC\x91\x95\x8F\xFC",    # 金の装飾
    broken       => "\x82\xAA\x89\xF3\x82\xEA\x82\xC4\x82\xB5\x82\xDC\x82\xA2\x82\xDC\x82\xB5\x82\xBD\x81B",    # が壊れてしまいました。
    welcome1     => "\x82\xA2\x82\xE7\x82\xC1\x82\xB5\x82\xE1\x82\xA2\x82\xDC\x82\xB9\x81A",    # いらっしゃいませ、
    welcome2     => "\x82\xD6\x82\xE6\x82\xA4\x82\xB1\x82\xBB\x81B",    # へようこそ。
    gift         => "\x8AJ\x93X\x8Fj\x82\xA2\x82\xAA\x93\xCD\x82\xAB\x82\xDC\x82\xB5\x82\xBD\x81B",    # 開店祝いが届きました。
    tax          => "\x90\xC5\x82\xF0\x94\x5B\x82\xDF\x82\xDC\x82\xB5\x82\xBD\x81B",    # 税を納めました。
    shopopen     => "\x93X\x82\xF0\x8AJ\x82\xA2\x82\xC4\x82\xA2\x82\xC8\x82\xA2\x82\xC6\x8E\xC0\x8Ds\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81B",    # 店を開いていないと実行できません。
    smoked       => "\x83\x5C\x5C\x81\x5B\x83Z\x81\x5B\x83W\x82\xF0\xE0\x8E\x90\xBB\x82\xC9\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81B",    # ソ\ーセージを燻製にしました。
    talent       => "\x8D\xCB\x94\x5C\x5C\x82\xCC\x8F\x91\x82\xF0\x93\xC7\x82\xDD\x82\xDC\x82\xB5\x82\xBD\x81B",    # 才能\の書を読みました。
    one          => "1\x96\x7B\x8F\x9D\x82\xF1\x82\xC5\x82\xB5\x82\xDC\x82\xA2\x82\xDC\x82\xB5\x82\xBD\x81B",    # 1本傷んでしまいました。
    rate         => "\x91\x8A\x8F\xEA",    # 相場
    type         => "\x8E\xED\x97\xDE",    # 種類
    job          => "\x90E\x8B\xC6",    # 職業
    timerate     => "\x8D\xEC\x8B\xC6\x8E\x9E\x8A\xD4\x82\xCC\x94\x7B\x97\xA6",    # 作業時間の倍率
    other        => "\x82\xBB\x82\xCC\x91\xBC\x82\xCC\x90\xDD\x92\xE8",    # その他の設定
    count        => "\x8C\xC2\x90\x94\x82\xF0\x91I\x82\xF1\x82\xC5\x82\xAD\x82\xBE\x82\xB3\x82\xA2",    # 個数を選んでください
    howmany      => "\x89\xBD\x8C\xC2\x8D\xEC\x82\xE8\x82\xDC\x82\xB7\x82\xA9",    # 何個作りますか
    card         => "\x83J\x81\x5B\x83h\x82\xC9\x8F\x91\x82\xAD\x8C\xBE\x97t",    # カードに書く言葉
    itemsec      => "\x83A\x83C\x83e\x83\x80",    # アイテム
    eventsec     => "\x83C\x83x\x83\x93\x83g",    # イベント
    funcsec      => "\x8A\xD6\x90\x94",    # 関数
    retiredname  => "\x8C\xC3\x82\xA2\x95i",    # 古い品
    oldevent     => "\x90\xCC\x82\xCC\x82\xA8\x8D\xD5\x82\xE8",    # 昔のお祭り
    note1        => "\x92l\x92i\x82\xCD\x97l\x8Eq\x82\xF0\x8C\xA9\x82\xC4\x92\xB2\x90\xAE\x82\xB7\x82\xE9\x82\xB1\x82\xC6",    # 値段は様子を見て調整すること
    note2        => "\x8BG\x90\xDF\x8C\xC0\x92\xE8\x95i\x82\xCD\x24SEASON\x82\xCC\x90\xDD\x92\xE8\x82\xF0\x96Y\x82\xEA\x82\xB8\x82\xC9",    # 季節限定品は$SEASONの設定を忘れずに
    season       => "\x8BG\x90\xDF",    # 季節
    used         => "\x8Eg\x82\xC1\x82\xBD\x90l",    # 使った人
    shop         => "\x93X",    # 店
    info         => "\x90\xE0\x96\xBE",    # 説明
    rarely       => "\x82\xDC\x82\xEA\x82\xC9\x8E\xE6\x82\xEA\x82\xE9",    # まれに取れる
    ok           => "\x82\xC5\x82\xAB\x82\xDC\x82\xB5\x82\xBD",    # できました
    wo           => "\x82\xF0",    # を
);

# ---------------------------------------------------------------------------
# Random numbers: xorshift32, so that the output depends only on N and SEED
# (not on the perl version or the platform).
# ---------------------------------------------------------------------------
my $rs = (($SEED % 4294967296) ^ 0x9E3779B9) & 0xFFFFFFFF;
$rs = 0x2545F491 if $rs == 0;
sub rnd {
    $rs ^= ($rs << 13) & 0xFFFFFFFF;
    $rs ^= $rs >> 17;
    $rs ^= ($rs << 5) & 0xFFFFFFFF;
    return $rs;
}
rnd() for 1 .. 8;
sub rn     { return rnd() % $_[0] }                  # 0 .. n-1
sub range  { return $_[0] + rn($_[1] - $_[0] + 1) }  # a .. b
sub pct    { return rn(100) < $_[0] }                # true with p percent
sub pick   { return $_[0][ rn(scalar @{ $_[0] }) ] }

my $E = "\r\n";
my $out = '';
sub emit { $out .= join('', @_); if (length($out) > 1 << 16) { print $out; $out = '' } }

# Jobs: code, name (index into @JOBNAME), with a time-rate line or not.
my @JOBCODE = qw(farmer cook smith tailor apothecary jeweler merchant scholar);
my %RATED = map { $_ => 1 } qw(cook smith apothecary jeweler);
my @GROUPS = qw(season sea town world);
my @FLAGS = qw(noshowcase nosend notrash notradein notradeout nobuy);
my @SUBS_ITEM = qw(item_need_tool item_wear_tool item_quality_bonus item_shop_open_only);

my $NEVENTS = defined $EVENTS ? $EVENTS + 0 : int(($N + 9) / 10);
my @names;          # item names by number (1-based)

# ---------------------------------------------------------------------------
# Project information block (body lines in the order the editor writes them)
# ---------------------------------------------------------------------------
emit($J{pinfo}, $E, "###MERX_PROJECT_INFO_BEGIN", $E,
     "###RuleName=", $J{rulebeta}, $E,
     "###FuncID=0", $E,
     "###ProjectName=", $J{title}, $E,
     "###RuleKey=", $J{rulebeta}, $E,
     "###EventID=-1", $E,
     "###SetID=-1", $E,
     "###PageID=0", $E,
     "###ItemExID=-1", $E,
     "###IconImagePath=..\\\\Image", $E,
     "###ItemID=0", $E,
     "###UseExID=-1", $E,
     "###MERX_PROJECT_INFO_END", $E);

# ---------------------------------------------------------------------------
# Free text at the top
# ---------------------------------------------------------------------------
my $rule = '# ' . ('=' x 68);
emit($rule, $E,
     "#  $J{generated}  N=$N SEED=$SEED", $E,
     "#  $J{itemsec} $N / $J{eventsec} $NEVENTS", $E,
     $rule, $E, $E);

# ---------------------------------------------------------------------------
# Definition block
# ---------------------------------------------------------------------------
emit('@@DEFINE', $E, "# ---- $J{type} ----", $E);
emit("type$_\t$TYPE[$_ - 1]", $E) for 1 .. scalar @TYPE;
emit($E, "# ---- $J{job} ----", $E);
emit("job\t$JOBCODE[$_]\t$JOBNAME[$_]", $E) for 0 .. $#JOBCODE;
emit($E, "# ---- $J{timerate} ----", $E);
for my $c (@JOBCODE) { emit("set\tjob_${c}_time_rate\t", ($c eq 'apothecary' ? 3 : 2), $E) if $RATED{$c} }
emit($E, "# ---- $J{other} ----", $E,
     "set\tshop_max_item\t30", $E,
     "set\tmarket_tax_rate\t5", $E, $E);

# ---------------------------------------------------------------------------
# The twelve function blocks
# ---------------------------------------------------------------------------
my $first = $N >= 3 ? 3 : $N;
emit('@@FUNCITEM', $E,
     "# $J{funcsec}: \@\@USE func / funci / funcb", $E,
     "sub item_need_tool", $E, "{", $E,
     "\tmy(\$DT,\$USE,\$toolno)=\@_;", $E,
     "\treturn 1 if GetItemCount(\$DT,\$toolno) > 0;", $E,
     "\tOutError(\"$J{needtool}\");", $E,
     "\treturn 0;", $E, "}", $E, $E,
     "sub item_wear_tool", $E, "{", $E,
     "\tmy(\$DT,\$USE,\$toolno,\$rate)=\@_;", $E,
     "\t\$rate ||= 5;", $E,
     "\tif(rand(100) < \$rate)", $E, "\t{", $E,
     "\t\tUseItem(\$DT,\$toolno,1);", $E,
     "\t\tPushLog(0,\$DT->{id},GetItemName(\$toolno).\"$J{broken}\");", $E,
     "\t}", $E, "\treturn 1;", $E, "}", $E, $E,
     "sub item_quality_bonus", $E, "{", $E,
     "\tmy(\$DT,\$USE,\$count)=\@_;", $E,
     "\tmy \$exp=\$DT->{exp}{\$USE->{itemno}} || 0;", $E,
     "\treturn \$count + int(\$count * \$exp / 1000);", $E, "}", $E, $E,
     "sub item_shop_open_only", $E, "{", $E,
     "\tmy(\$DT,\$USE)=\@_;", $E,
     "\treturn 1 if \$DT->{shopopen};", $E,
     "\tOutError(\"$J{shopopen}\");", $E,
     "\treturn 0;", $E, "}", $E, $E);
emit('@@FUNCEVENT', $E,
     "sub event_notice", $E, "{", $E,
     "\tmy(\$DT,\$EVENT)=\@_;", $E,
     "\tPushLog(1,0,\"$J{notice}\".\$EVENT->{startmsg});", $E,
     "\treturn 1;", $E, "}", $E, $E,
     "sub event_price_rate", $E, "{", $E,
     "\tmy(\$DT,\$EVENT,\$type,\$rate)=\@_;", $E,
     "\tforeach my \$no (GetItemNoListByType(\$type))", $E, "\t{", $E,
     "\t\t\$DT->{pricerate}[\$no]=\$rate;", $E, "\t}", $E,
     "\treturn 1;", $E, "}", $E, $E);
emit('@@FUNCUPDATE', $E,
     "sub update_market_price", $E, "{", $E,
     "\tmy(\$no,\$stock,\$base)=\@_;", $E,
     "\treturn 100 if !\$base;", $E,
     "\treturn int(100 * \$base / (\$stock + 1));", $E, "}", $E, $E);
emit('@@FUNCINIT', $E,
     "sub init_item_table", $E, "{", $E,
     "\t%ITEM_ROT_RATE=(", $E,
     (map { "\t\t\@\@ITEMNO\"$_\" => " . (5 * $_) . ",$E" } 1 .. $first),
     "\t);", $E, "}", $E,
     "init_item_table();", $E, $E);
emit('@@FUNCBASE', $E,
     "sub base_price_of", $E, "{", $E,
     "\tmy(\$no)=\@_;", $E,
     "\treturn \$ITEM[\$no-1]{price} || 1;", $E, "}", $E, $E);
emit('@@FUNCTURN', $E,
     "# $J{rot}", $E,
     "foreach my \$no (keys %ITEM_ROT_RATE)", $E, "{", $E,
     "\tmy \$cnt=\$DT->{item}[\$no-1] || next;", $E,
     "\t\$DT->{item}[\$no-1]-=int(\$cnt * \$ITEM_ROT_RATE{\$no} / 100);", $E,
     "}", $E, $E);
emit('@@FUNCCUSTOM', $E,
     "sub custom_shop_title", $E, "{", $E,
     "\tmy(\$DT)=\@_;", $E,
     "\treturn \$DT->{shopname}.'('.\$DT->{rank}.')';", $E, "}", $E, $E);
emit('@@FUNCNEW', $E,
     "\$DT->{money}+=5000;", $E,
     "\$DT->{item}[\@\@ITEMNO\"1\"-1]+=10;", $E,
     "PushLog(0,\$DT->{id},\"$J{gift}\");", $E, $E);
emit('@@FUNCSHOPIN', $E,
     "sub shopin_greeting", $E, "{", $E,
     "\tmy(\$DT,\$GUEST)=\@_;", $E,
     "\treturn \"$J{welcome1}\".\$DT->{shopname}.\"$J{welcome2}\";", $E, "}", $E, $E);
emit('@@FUNCSHOPOUT', $E,
     "sub shopout_count", $E, "{", $E,
     "\tmy(\$DT)=\@_;", $E,
     "\t\$DT->{guestcount}++;", $E, "}", $E, $E);
emit('@@FUNCSALE', $E,
     "sub sale_bonus_point", $E, "{", $E,
     "\tmy(\$DT,\$no,\$cnt,\$price)=\@_;", $E,
     "\t\$DT->{point}+=int(\$price * \$cnt / 1000);", $E, "}", $E,
     "sale_bonus_point(\$DT,\$SALE_NO,\$SALE_CNT,\$SALE_PRICE);", $E, $E);
emit('@@FUNCBUY', $E,
     "if(\$BUY_PRICE * \$BUY_CNT > \$DT->{money})", $E, "{", $E,
     "\tOutError(\"$J{nomoney}\");", $E, "}", $E, $E);

# ---------------------------------------------------------------------------
# Items
# ---------------------------------------------------------------------------
sub local_item_script {
    my ($i) = @_;
    my $k = range(1, $i);
    my $v = pick([
        [ "if(\$ITEM->{cnt} > 0 && rand(100) < " . range(2, 20) . ")", "{",
          "\t\$ITEM->{cnt}--;", "\tPushLog(0,\$DT->{id},\"$J{one}\");", "}" ],
        [ "# $J{rot}", "my \$lost=int(\$ITEM->{cnt} / " . range(5, 20) . ");",
          "\$ITEM->{cnt}-=\$lost if \$lost;" ],
        [ "\$DT->{exp}{\@\@ITEMNO\"$k\"}+=" . range(1, 30) . ";" ],
    ]);
    return @$v;
}

sub local_use_script {
    my ($i) = @_;
    my $k = range(1, $i);
    my $v = pick([
        [ "if(GetItemCount(\$DT,\@\@ITEMNO\"$k\") < 1)", "{",
          "\tOutError(\"$J{nomat}\");", "\treturn 0;", "}", "UseItem(\$DT,\@\@ITEMNO\"$k\",1);", "return 1;" ],
        [ "my \$exp=\$DT->{exp}{\@\@ITEMNO\"$i\"} || 0;", "if(\$exp < " . range(10, 200) . " && rand(100) < 20)", "{",
          "\tOutError(\"$J{noexp}\");", "\treturn 0;", "}", "", "return 1;" ],
        [ "# $J{smoked}", "PushLog(0,\$DT->{id},\"$J{smoked}\");" ],
        [ "PushLog(0,\$DT->{id},\"$J{talent}\");", "\$DT->{exp}{\@\@ITEMNO\"$k\"}+=" . range(5, 50) . ";" ],
    ]);
    return @$v;
}

sub emit_use {
    my ($i, $u, $haslocal0) = @_;
    my $name = $names[$i];
    my $act = pick(\@ACTION);
    my $t = range(6, 288) * 300;
    my $had_local = 0;
    emit("\t\@\@USE", $E);
    emit("\t\t# $J{info}", $E) if pct(3);
    emit("\t\tname\t$name$J{wo}$act", ($u ? $u + 1 : ''), $E,
         "\t\tprice\t", range(0, 60) * 5, $E,
         "\t\ttime\t$t", $E,
         "\t\texptime\t", $t / 2, $E,
         "\t\texp\t", range(1, 60), $E,
         "\t\taction\t$act", $E);
    my $sel = rn(100);
    if ($sel < 8) {
        emit("\t\targ\tselect|radio", $E,
             "\t\targmessage\t$J{bake}", $E,
             "\t\targselect\t$J{bake};soft;$J{soft};hard;$J{hard}", $E);
    } elsif ($sel < 12) {
        emit("\t\targ\tmessage20", $E, "\t\targmessage\t$J{card}", $E);
    } elsif ($sel < 20) {
        emit("\t\targ\tnocount", $E);
    }
    emit("\t\tinfo\t$name", pick(\@INFOTAIL), $E,
         "\t\tokmsg\t", pick(\@OKMSG), $E,
         "\t\tngmsg\t", pick(\@NGMSG), $E);
    emit("\t\tneedexp\t", range(1, 20) * 5, $E) if pct(30);
    my $f = rn(100);
    if ($f < 25 && $i > 1) {
        emit("\t\tparam\t", range(1, $i - 1), ",", range(1, 20), $E,
             "\t\tfunc\titem_need_tool", $E);
        emit("\t\tfuncb\titem_wear_tool", $E) if pct(50);
    } elsif ($f < 40) {
        emit("\t\tfunc\t_local_", (pct(20) ? "\t# $J{needtool}" : ''), $E);
        emit($_ eq '' ? '' : "\t\t\t$_", $E) for local_use_script($i);
        emit("\t\t_local_", $E);
        $had_local = 1;
    } elsif ($f < 45 && $haslocal0) {
        emit("\t\tfunc\t_local_1", $E);
    } elsif ($f < 50) {
        emit("\t\tfunci\titem_shop_open_only", $E);
    }
    for (1 .. rn(3)) {
        my $j = rn(scalar @JOBCODE);
        my $c = $JOBCODE[$j];
        emit("\t\tjob\t$JOBNAME[$j]\t", ($RATED{$c} ? "times/job_${c}_time_rate" : "times/2"), $E);
    }
    if ($i > 1) {
        for (1 .. range(1, 3)) {
            emit("\t\t\t", (pct(20) ? 'need' : 'use'), "\t", range(1, 5), "\t", $names[range(1, $i - 1)], $E);
        }
    }
    emit("\t\t\tget\t", range(1, 10), "\t$name", (pct(3) ? "\t# $J{ok}" : ''), $E);
    emit("\t\t\tget\t", range(1, 3), "\t$name\t", range(1, 19) * 5, "%\t", pick(\@UNGMSG), $E) if pct(25);
    return $had_local;
}

sub emit_item {
    my ($i, $seasonal) = @_;
    my $name = $names[$i];
    my $type = $seasonal ? $TYPE[-1] : $TYPE[ rn(scalar(@TYPE) - 1) ];
    my @f = (
        [ 'no', $i ], [ 'type', $type ], [ 'code', "item$i" ], [ 'name', $name ],
        [ 'info', $name . pick(\@INFOTAIL) ],
        [ 'price', range(1, 1000) * 5 ], [ 'cost', range(0, 5) ],
        [ 'limit', range(1, 100) * 2 . '/' . range(1, 100) ],
        [ 'pop', range(1, 200) * 10 ], [ 'scale', pick(\@SCALE) ],
        [ 'plus', range(1, 48) * 300 ], [ 'base', range(1, 50) . '/' . range(1, 150) ],
        [ 'point', range(0, 10) ],
    );
    if (pct(10)) {
        my @fl = grep { pct(35) } @FLAGS;
        push @f, [ 'flag', join('|', @fl) ] if @fl;
    }
    @f[0, 3] = @f[3, 0] if pct(5);     # hand-written order: name before no
    emit('@@ITEM', $E);
    emit("\t# $J{info}", $E) if pct(3);
    for my $kv (@f) {
        emit("\t$kv->[0]\t$kv->[1]", ($kv->[0] eq 'price' && pct(5) ? "\t# $J{rate}" : ''), $E);
    }
    if (pct(5)) {
        emit("\tfunct\t_local_\t# $J{rot}", $E);
        emit("\t\t$_", $E) for local_item_script($i);
        emit("\t_local_", $E);
    }
    if (pct(2)) {
        emit("\tfuncs\t_local_", $E);
        emit("\t\t$_", $E) for local_item_script($i);
        emit("\t_local_", $E);
    }
    my $r = rn(100);
    my $nuse = $r < 30 ? 0 : $r < 70 ? 1 : $r < 90 ? 2 : 3;
    my $haslocal0 = 0;
    for my $u (0 .. $nuse - 1) {
        my $l = emit_use($i, $u, $haslocal0);
        $haslocal0 = $l if $u == 0;
    }
    emit($E);
}

for my $i (1 .. $N) {
    $names[$i] = $ADJ[ rn(scalar @ADJ) ] . $NOUN[ rn(scalar @NOUN) ] . $i;
}

my $if_open = 0;
for my $i (1 .. $N) {
    if ($i % 500 == 250 && $i + 4 <= $N) {
        emit("\@\@IF\t\$SEASON eq 'winter'", $E);
        $if_open = $i + 4;
    }
    emit("# ---- $J{itemsec} $i - ", $i + 99, " ----", $E) if $i % 100 == 1 && $i > 1;
    emit_item($i, $if_open > 0);
    if ($if_open == $i) {
        emit("\@\@IF\tend", $E, "# $J{allyear}", $E, $E);
        $if_open = 0;
    }
}

# ---------------------------------------------------------------------------
# Events (the last one only in winter)
# ---------------------------------------------------------------------------
sub emit_event {
    my ($e) = @_;
    my $noun = $names[ range(1, $N) ];
    emit('@@EVENT', $E);
    emit("\t# $J{info}", $E) if pct(5);
    emit("\tcode\tev_$e", $E,
         "\tgroup\t", pick(\@GROUPS), $E,
         "\tstart\t", range(1, 40) * 50, (pct(10) ? "\t# $J{rate}" : ''), $E,
         "\tbasetime\t", range(1, 48) * 3600, $E,
         "\tplustime\t", range(0, 24) * 3600, $E,
         "\tstartmsg\t$noun", pick(\@EVSTART), $E,
         "\tendmsg\t$noun$EVEND[0]", $E,
         "\tinfo\t$noun", pick(\@INFOTAIL), $E);
    my $f = rn(100);
    if ($f < 40) {
        emit("\tstartfunc\tevent_notice", $E);
    } elsif ($f < 55) {
        my $k = range(1, $N);
        emit("\tstartfunc\t_local_", $E,
             "\t\tevent_notice(\$DT,\$EVENT);", $E,
             "\t\t\$DT->{market}[\@\@ITEMNO\"$k\"-1]=int(\$DT->{market}[\@\@ITEMNO\"$k\"-1] / 2);", $E,
             "\t_local_", $E);
    } elsif ($f < 65) {
        emit("\tfunc\t", (pct(50) ? 'stock_le' : 'stock_ge'), $E);
    } elsif ($f < 70) {
        emit("\tendfunc\t_local_(\$rate)", $E,
             "\t\t\$rate ||= 100;", $E,
             "\t\tevent_price_rate(\$DT,\$EVENT,'" . $TYPE[rn(scalar @TYPE)] . "',\$rate);", $E,
             "\t_local_", $E);
    }
    for (1 .. range(1, 4)) {
        my $p = $names[ range(1, $N) ];
        if (pct(3)) { emit("\t\tparam\t$p", $E) }
        else        { emit("\t\tparam\t$p\t", range(5, 40) * 5, (pct(3) ? "\t# $J{rate}" : ''), $E) }
    }
    emit($E);
}

emit_event($_) for 1 .. $NEVENTS - 1;
emit("\@\@IF\t\$SEASON eq 'winter'", $E);
emit_event($NEVENTS);
emit("\@\@IF\tend", $E, "# $J{allyear}", $E, $E);

# ---------------------------------------------------------------------------
# A skipped section, one more function block and the end
# ---------------------------------------------------------------------------
emit('@@SKIP', $E,
     "# $J{retired}", $E,
     '@@ITEM', $E, "\tno\t", $N + 1, $E, "\tname\t$J{retiredname}", $E, "\tprice\t10", $E,
     '@@SKIP', $E,
     '@@EVENT', $E, "\tcode\tev_old", $E, "\tstartmsg\t$J{oldevent}", $E,
     '@@ENDSKIP', $E,
     '@@ENDSKIP', $E,
     "# $J{allyear}", $E, $E);
emit('@@END', $E,
     "$J{memo}", $E,
     "- $J{note1}", $E,
     "- $J{note2}", $E, $E,
     '@@ITEM', $E, "\tno\t", $N + 2, $E, "\tname\t$J{retiredname}2", $E);
print $out;
