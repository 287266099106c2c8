###ここからMERX_PROJECT_INFO_ENDまでの行を編集しないでください
###MERX_PROJECT_INFO_BEGIN
###RuleName=港町ルール ベータ版
###FuncID=-1
###ProjectName=港町ソレイユの屋台（拡張項目つき）
###RuleKey=harbor-beta.sir
###EventID=-1
###SetID=-1
###PageID=0
###ItemExID=0
###IconImagePath=..\\Image
###ItemID=0
###UseExID=1
###MERX_PROJECT_INFO_END
# 港町ソレイユの屋台  ルール harbor-beta.sir の拡張項目を使うサンプル
#   アイテム: grade / season / maker
#   使用方法: eventneed / reward (複数行) / toolref
@@DEFINE
type1	食料品
type2	素材
type3	道具
job	farmer	農家
job	cook	料理人
job	smith	鍛冶屋
set	job_cook_time_rate	2

@@FUNCITEM
sub stall_need_fire
{
	my($DT,$USE)=@_;
	return 1 if $DT->{building}{oven};
	OutError("かまどがありません。");
	return 0;
}

@@ITEM
	no	1
	type	食料品
	code	apple
	name	りんご
	info	秋に北の村から届くりんご。
	price	35
	limit	120/60
	scale	個
	grade	novice|local|fresh
	season	autumn:ev_harvest
	maker	farmer,食料品,北の村の契約農家
	@@USE
		name	りんごを収穫する
		price	10
		time	3600
		exptime	1800
		exp	5
		action	収穫
		info	果樹園でりんごを収穫します。
		eventneed	ev_harvest
		reward	りんご,2,often
		reward	小麦粉,1,rare	# たまに農家からおすそわけ
			get	6	りんご

@@ITEM
	no	2
	type	食料品
	code	flour
	name	小麦粉
	price	55
	limit	150/80
	scale	袋
	grade	local
	season	all:

@@ITEM
	no	3
	type	食料品
	code	applepie
	name	アップルパイ
	info	屋台の看板商品。
	price	260
	limit	30/15
	scale	個
	flag	nosend
	grade	gift|fresh|limited
	season	autumn:ev_festival
	maker	cook、食料品、 焼き加減は屋台の秘密
	@@USE
		name	パイを焼く
		price	40
		time	3600
		exptime	1800
		exp	18
		action	焼く
		info	りんごと小麦粉でアップルパイを焼きます。
		func	stall_need_fire
		eventneed	ev_festival
		toolref	5/pot
		reward	アップルパイ,1,rare
		job	料理人	times/job_cook_time_rate
			use	3	りんご
			use	1	小麦粉
			need	1	鉄鍋
			get	1	アップルパイ

@@ITEM
	no	4
	type	道具
	code	hammer
	name	金槌
	price	300
	limit	20/10
	scale	本
	grade	expert|danger
	maker	smith,素材,

@@ITEM
	no	5
	type	道具
	code	pot
	name	鉄鍋
	price	350
	limit	10/5
	scale	個
	grade	fragile
	maker	smith,素材,厚手
	@@USE
		name	鍋を打ち出す
		price	40
		time	7200
		exptime	3600
		exp	15
		action	作る
		toolref	4/hammer
			need	1	金槌
			get	1	鉄鍋

@@EVENT
	code	ev_harvest
	group	season
	start	400
	basetime	86400
	plustime	43200
	startmsg	今年はりんごが豊作です
	endmsg	豊作の季節が終わりました
		param	りんご	70

@@EVENT
	code	ev_festival
	group	town
	start	800
	basetime	86400
	plustime	0
	startmsg	港祭りが始まりました！
	endmsg	港祭りが終わりました
		param	アップルパイ	130

@@END
