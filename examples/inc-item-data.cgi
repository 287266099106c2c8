###ここからMERX_PROJECT_INFO_ENDまでの行を編集しないでください
###MERX_PROJECT_INFO_BEGIN
###RuleName=標準 ベータ版(040318)
###FuncID=0
###ProjectName=港町ソレイユの商店
###RuleKey=標準 ベータ版(040318)
###EventID=2
###SetID=-1
###PageID=0
###ItemExID=-1
###IconImagePath=..\\Image
###ItemID=4
###UseExID=-1
###MERX_PROJECT_INFO_END
# ====================================================================
#  港町ソレイユの商店  アイテムデータ (inc-item-data.cgi)
#
#  文字コード Shift_JIS / 改行 CRLF / 項目の区切りはタブ
#  このファイルは makeitem で読み込んでから設置すること。
#
#  書き方のメモ
#    アイテムは @@ITEM から次の @@ で始まる行の手前まで。
#    使用方法は @@USE で区切る。use/need/get は
#        use|need|get  個数  アイテム名  確率  メッセージ
#    の順にタブで区切る。複数行のスクリプトは _local_ ではさむ。
#    表示用の文字列に「ソ」「表」「能」などを書くときは
#    スクリプトの中だけ後ろに \ を足しておくこと。
# ====================================================================
@@include	inc-item-season.cgi

@@DEFINE
# ---- アイテムの分類 ----
type1	食料品
type2	素材
type3	道具
type4	武器
type5	防具
type6	書物
type7	薬品
type8	宝飾品
type9	季節限定

# ---- 職業 ----
job	farmer	農家
job	cook	料理人
job	smith	鍛冶屋
job	tailor	仕立屋
job	apothecary	薬師
job	jeweler	細工師
job	merchant	商人
job	scholar	学者

# ---- 職業ごとの作業時間の倍率 ----
set	job_cook_time_rate	2
set	job_smith_time_rate	2
set	job_apothecary_time_rate	3
set	job_jeweler_time_rate	2

# ---- その他の設定 ----
set	shop_max_item	30
set	market_tax_rate	5
set	rot_check_interval	3600

@@SETMACRO	JEWEL	$no,$code,$name,$price
	type	宝飾品
	info	$nameをあしらった装飾品。お金持ちに人気がある。
	cost	2
	limit	5/2
	pop	100
	scale	個
	plus	14400
	base	1/3
	point	5

@@FUNCITEM
# --------------------------------------------------------------------
#  アイテム用の共通関数
#  @@USE の func / funci / funcb に名前を書くと呼び出される。
#  引数は ($DT,$USE,@param) で、@param は param 欄をカンマで分けたもの。
# --------------------------------------------------------------------
sub item_need_tool
{
	# 道具を持っていなければ中止する
	my($DT,$USE,$toolno)=@_;
	return 1 if GetItemCount($DT,$toolno) > 0;
	OutError(GetItemName($toolno)."がありません。");
	return 0;
}

sub item_wear_tool
{
	# 道具をすり減らす（一定の確率で壊れる）
	my($DT,$USE,$toolno,$rate)=@_;
	$rate ||= 5;
	if(rand(100) < $rate)
	{
		UseItem($DT,$toolno,1);
		PushLog(0,$DT->{id},GetItemName($toolno)."が壊れてしまいました。");
	}
	return 1;
}

sub item_quality_bonus
{
	# 熟練度が高いほど多く作れる
	my($DT,$USE,$count)=@_;
	my $exp=$DT->{exp}{$USE->{itemno}} || 0;
	return $count + int($count * $exp / 1000);
}

sub item_shop_open_only
{
	# 店を開いている時だけ実行できる
	my($DT,$USE)=@_;
	return 1 if $DT->{shopopen};
	OutError("店を開いていないと実行できません。");
	return 0;
}

@@FUNCEVENT
# --------------------------------------------------------------------
#  イベント用の共通関数
# --------------------------------------------------------------------
sub event_notice
{
	my($DT,$EVENT)=@_;
	PushLog(1,0,"【お知らせ】".$EVENT->{startmsg});
	return 1;
}

sub event_price_rate
{
	# 分類ごとに相場を変える
	my($DT,$EVENT,$type,$rate)=@_;
	foreach my $no (GetItemNoListByType($type))
	{
		$DT->{pricerate}[$no]=$rate;
	}
	return 1;
}

sub event_stock_clear
{
	# 市場の在庫を減らす
	my($DT,$EVENT,$no,$per)=@_;
	$DT->{market}[$no]=int($DT->{market}[$no] * (100 - $per) / 100);
	return 1;
}

@@FUNCINIT
# 起動時に一度だけ呼ばれる
sub init_item_table
{
	%ITEM_ROT_RATE=(
		@@ITEMNO"4" => 10,	# 牛乳
		@@ITEMNO"7" => 15,	# 鮮魚
		@@ITEMNO"9" => 3,	# りんご
	);
	$ROT_INTERVAL=60*60;
}
init_item_table();

@@FUNCTURN
# 1ターンごとに全店舗について呼ばれる
sub turn_rot_items
{
	my($DT)=@_;
	foreach my $no (keys %ITEM_ROT_RATE)
	{
		my $cnt=$DT->{item}[$no-1];
		next if !$cnt;
		my $lost=int($cnt * $ITEM_ROT_RATE{$no} / 100);
		$DT->{item}[$no-1]-=$lost if $lost;
	}
}
turn_rot_items($DT);

@@FUNCNEW
# 新しく店を開いた人への贈り物
$DT->{money}+=5000;
$DT->{item}[@@ITEMNO"1"-1]+=10;	# 小麦
$DT->{item}[@@ITEMNO"21"-1]+=1;	# 金槌
PushLog(0,$DT->{id},"開店祝いとして小麦と金槌が届きました。");

@@FUNCSHOPIN
# 店に入った時
sub shopin_greeting
{
	my($DT,$GUEST)=@_;
	return "いらっしゃいませ、".$DT->{shopname}."へようこそ。";
}

@@FUNCSALE
# 売れた時に呼ばれる
sub sale_bonus_point
{
	my($DT,$no,$cnt,$price)=@_;
	$DT->{point}+=int($price * $cnt / 1000);
}
sale_bonus_point($DT,$SALE_NO,$SALE_CNT,$SALE_PRICE);

@@FUNCBUY
# 市場から仕入れた時に呼ばれる
if($BUY_PRICE * $BUY_CNT > $DT->{money})
{
	OutError("お金が足りません。");
}

# ====================================================================
#  食料品
# ====================================================================
@@ITEM
	no	1
	type	食料品
	code	wheat
	name	小麦
	info	港の裏手の畑でとれる小麦。挽けば小麦粉になる。
	price	30
	cost	1
	limit	200/100
	pop	1200
	scale	袋
	plus	600
	base	50/150
	point	0
	@@USE
		name	畑で育てる
		price	20
		time	7200
		exptime	3600
		exp	10
		action	育てる
		info	畑に種をまいて小麦を育てます。
		okmsg	小麦が実りました。
		ngmsg	天候が悪く、うまく育ちませんでした。
		job	農家	times/2
			get	5	小麦
			get	3	小麦	30%	豊かに実った	# 運が良ければ多めに取れる

@@ITEM
	no	2
	type	食料品
	code	flour
	name	小麦粉
	info	パンやお菓子の材料になる。
	price	55
	cost	1
	limit	150/80
	pop	1000
	scale	袋
	plus	900
	base	40/120
	point	1
	@@USE
		name	小麦を挽く
		price	10
		time	1800
		exptime	900
		exp	5
		action	挽く
		arg	nocount
		info	小麦2袋を挽いて小麦粉1袋にします。
		okmsg	小麦粉ができました。
		ngmsg	材料が足りません。
			use	2	小麦
			get	1	小麦粉

@@ITEM
	no	3
	type	食料品
	code	bread
	name	黒パン
	info	港の船乗りが好む固いパン。日持ちがする。
	price	80
	cost	2
	limit	100/50
	pop	1500
	scale	個
	plus	600
	base	30/90
	point	2
	@@USE
		name	パンを焼く
		price	30
		time	2400
		exptime	1200
		exp	8
		action	焼く
		arg	select|radio
		argmessage	焼き加減を選んでください
		argselect	焼き加減;soft;ふんわり;hard;かため	# 焼き加減で時間が変わる
		info	小麦粉と牛乳でパンを焼きます。
		okmsg	パンが焼きあがりました。
		ngmsg	パンを焦がしてしまいました。
		needexp	0
		param	27
		func	item_need_tool
		job	料理人	times/job_cook_time_rate
			use	1	小麦粉
			use	1	牛乳
			need	1	鉄鍋
			get	4	黒パン

@@ITEM
	no	4
	type	食料品
	code	milk
	name	牛乳
	info	丘の牧場から毎朝届く。傷みやすいので早めに売ること。
	price	40
	cost	3
	limit	60/30
	pop	1400
	scale	本
	plus	300
	base	20/60
	point	1
	funct	_local_	# 毎ターン少しずつ傷む
		if($ITEM->{cnt} > 0 && rand(100) < 10)
		{
			$ITEM->{cnt}--;
			PushLog(0,$DT->{id},"牛乳が1本傷んでしまいました。");
		}
	_local_

@@ITEM
	no	5
	type	食料品
	code	cheese
	name	チーズ
	info	牛乳をじっくり寝かせて作る。長持ちする。
	price	160
	cost	2
	limit	80/40
	pop	800
	scale	個
	plus	1800
	base	20/60
	point	3
	@@USE
		name	チーズを作る
		price	50
		time	14400
		exptime	7200
		exp	15
		action	作る
		info	牛乳3本からチーズを1個作ります。
		okmsg	チーズが熟成しました。
		ngmsg	カビが生えてしまいました。
		needexp	20
		job	料理人	times/job_cook_time_rate
		job	農家	times/2
			use	3	牛乳
			get	1	チーズ	90%	うまく熟成した

@@ITEM
	no	6
	type	食料品
	code	sausage
	name	ソーセージ
	info	燻製にした肉の腸詰め。船旅の保存食として売れる。
	price	120
	cost	2
	limit	80/40
	pop	900
	scale	本
	plus	1200
	base	30/80
	point	2
	# 材料の肉は隊商イベントの時だけ市場に出る
	@@USE
		name	燻製にする
		price	40
		time	10800
		exptime	5400
		exp	12
		action	燻す
		info	木材を燃やしてソーセージを燻製にします。
		okmsg	いい香りのソーセージができました。
		ngmsg	火が強すぎて焦げてしまいました。
		func	_local_	# 燻製小屋が必要
			if(!$DT->{building}{smokehouse})
			{
				OutError("燻製小屋がないのでソ\ーセージを作れません。");
				return 0;
			}
			return 1;
		_local_
		job	料理人	times/job_cook_time_rate
			use	1	木材
			get	5	ソーセージ

@@ITEM
	no	7
	type	食料品
	code	fish
	name	鮮魚
	info	朝の市場で仕入れた魚。その日のうちに売りたい。
	price	70
	cost	4
	limit	50/100
	pop	1600
	scale	匹
	plus	300
	base	40/120
	point	1
	funct	_local_
		# 鮮度が落ちる
		if($ITEM->{cnt} > 0 && rand(100) < 15)
		{
			my $lost=int($ITEM->{cnt} / 10) || 1;
			$ITEM->{cnt}-=$lost;
		}
	_local_
	@@USE
		name	釣りに行く
		price	0
		time	3600
		exptime	1800
		exp	6
		action	釣る
		info	釣り竿を持って港へ釣りに出かけます。
		okmsg	魚が釣れました。
		ngmsg	今日は一匹も釣れませんでした。
		param	26,3
		func	item_need_tool
		funcb	item_wear_tool
			need	1	釣り竿
			get	2	鮮魚	70%	大物がかかった
			get	1	鮮魚

@@ITEM
	no	8
	type	食料品
	code	stew
	name	魚のシチュー
	info	鮮魚と牛乳を煮込んだ港町の名物料理。
	price	220
	cost	3
	limit	40/20
	pop	700
	scale	皿
	plus	1800
	base	10/30
	point	5
	@@USE
		name	シチューを煮込む
		price	60
		time	5400
		exptime	2700
		exp	20
		action	煮込む
		info	鍋で魚のシチューを煮込みます。
		okmsg	おいしいシチューができあがりました。
		ngmsg	味がまとまりませんでした。
		needexp	30
		param	27
		func	item_need_tool
		funci	item_shop_open_only
		job	料理人	times/job_cook_time_rate
			use	2	鮮魚
			use	1	牛乳
			need	1	鉄鍋
			get	3	魚のシチュー

@@ITEM
	no	9
	type	食料品
	code	apple
	name	りんご
	info	北の山村から運ばれてくる赤いりんご。
	price	35
	cost	1
	limit	120/60
	pop	1300
	scale	個
	plus	600
	base	40/100
	point	0

@@ITEM
	no	10
	type	食料品
	code	applepie
	name	アップルパイ
	info	焼きたてのアップルパイ。お祭りの日によく売れる。
	price	260
	cost	2
	limit	30/15
	pop	600
	scale	個
	plus	2400
	base	10/20
	point	6
	flag	nosend
	@@USE
		name	パイを焼く
		price	40
		time	3600
		exptime	1800
		exp	18
		action	焼く
		arg	message20
		argmessage	パイに添えるカードの言葉（20文字まで）
		info	りんごと小麦粉でアップルパイを焼きます。
		okmsg	香ばしいパイが焼けました。
		ngmsg	生地が膨らみませんでした。
		needexp	40
		func	_local_
			my $msg=$USE->{argtext};
			$msg=substr($msg,0,40);
			$DT->{memo}{applepie}=$msg if $msg ne '';
		_local_
		job	料理人	times/job_cook_time_rate
			use	3	りんご
			use	1	小麦粉
			get	1	アップルパイ

# ====================================================================
#  素材
# ====================================================================
@@ITEM
	no	11
	type	素材
	code	ironore
	name	鉄鉱石
	info	西の鉱山で掘り出された鉱石。溶かせば鉄になる。
	price	60
	cost	1
	limit	200/100
	pop	500
	scale	個
	plus	1200
	base	50/150
	point	0

@@ITEM
	no	12
	type	素材
	code	ingot
	name	鉄インゴット
	info	鉄鉱石を溶かして固めたもの。鍛冶の基本材料。
	price	180
	cost	1
	limit	100/50
	pop	600
	scale	本
	plus	1800
	base	20/60
	point	1
	@@USE	# 炉が必要
		name	鉄を精錬する
		price	80
		time	7200
		exptime	3600
		exp	12
		action	精錬
		info	鉄鉱石を炉で溶かして鉄インゴットにします。
		okmsg	鉄インゴットができました。
		ngmsg	不純物が多く、固まりませんでした。
		needexp	10
		job	鍛冶屋	times/job_smith_time_rate
			use	3	鉄鉱石
			use	1	木材
			get	1	鉄インゴット	85%	きれいに固まった

@@ITEM
	no	13
	type	素材
	code	wood
	name	木材
	info	裏山で切り出した木材。燃料にも建材にもなる。
	price	25
	cost	1
	limit	300/150
	pop	900
	scale	本
	plus	600
	base	80/200
	point	0
	@@USE
		name	木を切る
		price	0
		time	3600
		exptime	1800
		exp	5
		action	切る
		info	のこぎりで裏山の木を切り出します。
		okmsg	木材を切り出しました。
		ngmsg	いい木が見つかりませんでした。
		param	22,3
		func	item_need_tool
		funcb	item_wear_tool
			need	1	のこぎり
			get	4	木材

@@ITEM
	no	14
	type	素材
	code	cotton
	name	綿花
	info	白くふわふわした綿の実。糸を紡いで布にする。
	price	40
	cost	1
	limit	150/80
	pop	400
	scale	袋
	plus	900
	base	30/90
	point	0
	@@USE
		name	綿を育てる
		price	20
		time	10800
		exptime	5400
		exp	8
		action	育てる
		info	畑で綿花を育てます。
		okmsg	綿花を摘み取りました。
		ngmsg	虫にやられてしまいました。
		job	農家	times/2
			get	3	綿花

@@ITEM
	no	15
	type	素材
	code	cloth
	name	木綿の布
	info	綿花から織った丈夫な布。服や帆に使われる。
	price	120
	cost	1
	limit	100/50
	pop	500
	scale	反
	plus	1800
	base	20/60
	point	1
	@@USE
		name	布を織る
		price	30
		time	7200
		exptime	3600
		exp	10
		action	織る
		arg	nocount
		info	綿花を紡いで布を織ります。
		okmsg	布が織りあがりました。
		ngmsg	糸が切れてしまいました。
		job	仕立屋	times/2
			use	3	綿花
			get	1	木綿の布

@@ITEM
	no	16
	type	素材
	code	leather
	name	なめし革
	info	丁寧になめした牛の革。
	price	150
	cost	1
	limit	80/40
	pop	400
	scale	枚
	plus	2400
	base	20/50
	point	1

@@ITEM
	no	17
	type	素材
	code	herb
	name	薬草
	info	森で摘んだ薬草。傷薬の材料になる。
	price	45
	cost	1
	limit	120/60
	pop	700
	scale	束
	plus	900
	base	30/90
	point	0
	@@USE
		name	薬草を摘む
		price	0
		time	2400
		exptime	1200
		exp	6
		action	摘む
		info	森へ入って薬草を摘みます。
		okmsg	薬草を摘んできました。
		ngmsg	よく似た毒草ばかりでした。
		job	薬師	times/job_apothecary_time_rate
		job	農家	times/2
			get	3	薬草
			get	1	薬草	20%	珍しい群生地を見つけた

@@ITEM
	no	18
	type	素材
	code	roughgem
	name	原石
	info	鉱山でまれに見つかる宝石の原石。
	price	600
	cost	2
	limit	20/10
	pop	200
	scale	個
	plus	7200
	base	3/10
	point	3
	flag	notradein

@@ITEM
	no	19
	type	素材
	code	silver
	name	銀塊
	info	精錬された銀のかたまり。装飾品の材料。
	price	900
	cost	2
	limit	30/15
	pop	300
	scale	個
	plus	7200
	base	5/15
	point	4

@@ITEM
	no	20
	type	素材
	code	nail
	name	鉄釘
	info	大工仕事に欠かせない釘。
	price	5
	cost	0
	limit	999/500
	pop	2000
	scale	本
	plus	300
	base	200/600
	point	0
	@@USE
		name	釘を打つ
		price	5
		time	1200
		exptime	600
		exp	4
		action	作る
		info	鉄インゴット1本から鉄釘をたくさん作ります。
		okmsg	鉄釘ができました。
		ngmsg	釘が曲がってしまいました。
		param	21,2
		func	item_need_tool
		funcb	item_wear_tool
		job	鍛冶屋	times/job_smith_time_rate
			use	1	鉄インゴット
			need	1	金槌
			get	50	鉄釘

# ====================================================================
#  道具
# ====================================================================
@@ITEM
	no	21
	type	道具
	code	hammer
	name	金槌
	info	鍛冶や大工に使う金槌。使ううちにすり減る。
	price	300
	cost	1
	limit	20/10
	pop	300
	scale	本
	plus	3600
	base	5/15
	point	1
	@@USE
		name	金槌を打つ
		price	20
		time	3600
		exptime	1800
		exp	10
		action	作る
		info	鉄インゴットと木材で金槌を作ります。
		okmsg	金槌ができました。
		ngmsg	柄が割れてしまいました。
		job	鍛冶屋	times/job_smith_time_rate
			use	1	鉄インゴット
			use	1	木材
			get	1	金槌

@@ITEM
	no	22
	type	道具
	code	saw
	name	のこぎり
	info	木を切るための道具。
	price	280
	cost	1
	limit	20/10
	pop	250
	scale	本
	plus	3600
	base	5/15
	point	1
	@@USE
		name	のこぎりを作る
		price	20
		time	3600
		exptime	1800
		exp	10
		action	作る
		info	鉄インゴットからのこぎりを作ります。
		okmsg	のこぎりができました。
		ngmsg	刃が欠けてしまいました。
		job	鍛冶屋	times/job_smith_time_rate
			use	1	鉄インゴット
			need	1	金槌
			get	1	のこぎり

@@ITEM
	no	23
	type	道具
	code	needle
	name	縫い針
	info	仕立屋の必需品。
	price	30
	cost	0
	limit	50/25
	pop	400
	scale	本
	plus	1200
	base	10/30
	point	0

@@ITEM
	no	24
	type	道具
	code	flask
	name	フラスコ
	info	薬師が調合に使うガラスの器。
	price	150
	cost	1
	limit	30/15
	pop	200
	scale	個
	plus	3600
	base	5/15
	point	1

@@ITEM
	no	25
	type	道具
	code	lantern
	name	ランタン
	info	夜の港を照らすランタン。船乗りがよく買っていく。
	price	240
	cost	1
	limit	30/15
	pop	500
	scale	個
	plus	2400
	base	8/20
	point	2
	@@USE
		name	ランタンを作る
		price	30
		time	5400
		exptime	2700
		exp	12
		action	作る
		info	鉄インゴットと布でランタンを作ります。
		okmsg	ランタンができました。
		ngmsg	ガラスが割れてしまいました。
		job	鍛冶屋	times/job_smith_time_rate
			use	1	鉄インゴット
			use	1	木綿の布
			need	1	金槌
			get	2	ランタン

@@ITEM
	no	26
	type	道具
	code	rod
	name	釣り竿
	info	竹で作った釣り竿。
	price	120
	cost	1
	limit	20/10
	pop	400
	scale	本
	plus	1800
	base	5/15
	point	1

@@ITEM
	no	27
	type	道具
	code	pot
	name	鉄鍋
	info	煮込み料理に欠かせない厚手の鍋。
	price	350
	cost	1
	limit	10/5
	pop	300
	scale	個
	plus	3600
	base	3/10
	point	2
	@@USE
		name	鍋を打ち出す
		price	40
		time	7200
		exptime	3600
		exp	15
		action	作る
		info	鉄インゴット2本から鉄鍋を作ります。
		okmsg	鉄鍋ができました。
		ngmsg	底に穴があいてしまいました。
		needexp	15
		job	鍛冶屋	times/job_smith_time_rate
			use	2	鉄インゴット
			need	1	金槌
			get	1	鉄鍋

# ====================================================================
#  武器
# ====================================================================
@@ITEM
	no	28
	type	武器
	code	knife
	name	ナイフ
	info	料理にも護身にも使える小刀。
	price	200
	cost	1
	limit	30/15
	pop	600
	scale	本
	plus	2400
	base	10/30
	point	2
	@@USE
		name	ナイフを鍛える
		price	30
		time	3600
		exptime	1800
		exp	10
		action	鍛える
		info	鉄インゴットからナイフを作ります。
		okmsg	よく切れるナイフができました。
		ngmsg	焼き入れに失敗しました。
		job	鍛冶屋	times/job_smith_time_rate
			use	1	鉄インゴット
			need	1	金槌
			get	2	ナイフ

@@ITEM
	no	29
	type	武器
	code	shortsword
	name	ショートソード
	info	軽くて扱いやすい片手剣。
	price	900
	cost	2
	limit	10/5
	pop	300
	scale	本
	plus	5400
	base	3/10
	point	4
	@@USE
		name	剣を鍛える
		price	100
		time	14400
		exptime	7200
		exp	25
		action	鍛える
		info	鉄インゴットを鍛えてショートソードを作ります。
		okmsg	ショートソードが完成しました。
		ngmsg	刃にひびが入ってしまいました。
		needexp	30
		func	_local_
			# 熟練度が足りないと失敗しやすい
			my $exp=$DT->{exp}{@@ITEMNO"29"} || 0;
			if($exp < 100 && rand(100) < 20)
			{
				OutError("まだショートソ\ードを打つ腕がありません。");
				return 0;
			}
			return 1;
		_local_
		job	鍛冶屋	times/job_smith_time_rate
			use	3	鉄インゴット
			use	1	なめし革
			need	1	金槌
			get	1	ショートソード

@@ITEM
	no	30
	type	武器
	code	longsword
	name	ロングソード
	info	騎士が好んで使う両手剣。高値で取り引きされる。
	price	2400
	cost	3
	limit	5/3
	pop	150
	scale	本
	plus	10800
	base	1/4
	point	8
	flag	nosend|notradeout
	@@USE
		name	名剣を鍛える
		price	300
		time	28800
		exptime	14400
		exp	50
		action	鍛える
		arg	select|list
		argmessage	仕上げの方法を選んでください
		argselect	仕上げ;plain;素朴な仕上げ;gold;金の装飾;silver;銀の装飾
		info	腕の良い鍛冶屋だけが作れる両手剣です。
		okmsg	見事なロングソードが完成しました。
		ngmsg	鍛える途中で折れてしまいました。
		needexp	80
		func	_local_
			my $finish=$USE->{argselect} || 'plain';
			if($finish eq 'silver' && GetItemCount($DT,@@ITEMNO"19") < 1)
			{
				OutError("銀の装飾には銀塊が必要です。");
				return 0;
			}
			UseItem($DT,@@ITEMNO"19",1) if $finish eq 'silver';
			$DT->{memo}{longsword}=$finish;
			PushLog(0,$DT->{id},"ロングソ\ードを仕上げました。");
			return 1;
		_local_
		funci	_local_
			# 説明欄に出す注意書き
			return "銀の装飾を選ぶと銀塊を1個使います。";
		_local_
		job	鍛冶屋	times/job_smith_time_rate
			use	5	鉄インゴット
			use	1	なめし革
			need	1	金槌
			get	1	ロングソード	60%	会心の出来

@@ITEM
	no	31
	type	武器
	code	spear
	name	鉄の槍
	info	長い柄の先に鉄の穂先をつけた槍。
	price	700
	cost	2
	limit	10/5
	pop	200
	scale	本
	plus	5400
	base	3/10
	point	3
	@@USE
		name	槍を作る
		price	60
		time	10800
		exptime	5400
		exp	20
		action	作る
		info	木材の柄に鉄の穂先をつけます。
		okmsg	鉄の槍ができました。
		ngmsg	柄が曲がってしまいました。
		job	鍛冶屋	times/job_smith_time_rate
			use	1	鉄インゴット
			use	2	木材
			need	1	金槌
			get	1	鉄の槍

@@ITEM
	no	32
	type	武器
	code	bow
	name	狩人の弓
	info	森の狩人が使う短弓。
	price	500
	cost	1
	limit	10/5
	pop	250
	scale	張
	plus	5400
	base	3/10
	point	3

# ====================================================================
#  防具
# ====================================================================
@@ITEM
	no	33
	type	防具
	code	cap
	name	革の帽子
	info	日差しを避ける革の帽子。都で流行中。
	price	260
	cost	1
	limit	20/10
	pop	500
	scale	個
	plus	2400
	base	5/15
	point	2
	@@USE
		name	帽子を縫う
		price	20
		time	3600
		exptime	1800
		exp	10
		action	縫う
		info	なめし革を縫い合わせて帽子を作ります。
		okmsg	革の帽子ができました。
		ngmsg	縫い目がほつれてしまいました。
		param	23,10
		func	item_need_tool
		funcb	item_wear_tool
		job	仕立屋	times/2
			use	1	なめし革
			need	1	縫い針
			get	1	革の帽子

@@ITEM
	no	34
	type	防具
	code	shield
	name	十字の盾
	info	十字の紋章が入った木の盾。
	price	640
	cost	2
	limit	10/5
	pop	200
	scale	枚
	plus	5400
	base	3/10
	point	3
	@@USE
		name	盾を組む
		price	50
		time	7200
		exptime	3600
		exp	15
		action	作る
		info	木材と鉄釘で盾を組み立てます。
		okmsg	十字の盾ができました。
		ngmsg	板が割れてしまいました。
		job	鍛冶屋	times/job_smith_time_rate
			use	3	木材
			use	20	鉄釘
			use	1	なめし革
			need	1	金槌
			get	1	十字の盾

@@ITEM
	no	35
	type	防具
	code	mail
	name	鎖かたびら
	info	細い鉄の輪を編んだ鎧。
	price	1800
	cost	3
	limit	5/3
	pop	100
	scale	着
	plus	14400
	base	1/4
	point	6

@@ITEM
	no	36
	type	防具
	code	boots
	name	旅人のブーツ
	info	長旅でも疲れにくい革のブーツ。
	price	420
	cost	1
	limit	20/10
	pop	400
	scale	足
	plus	3600
	base	5/15
	point	2
	@@USE
		name	ブーツを仕立てる
		price	30
		time	5400
		exptime	2700
		exp	12
		action	仕立てる
		info	なめし革2枚でブーツを作ります。
		okmsg	旅人のブーツができました。
		ngmsg	サイズを間違えてしまいました。
		job	仕立屋	times/2
			use	2	なめし革
			need	1	縫い針
			get	1	旅人のブーツ

# ====================================================================
#  書物
# ====================================================================
@@ITEM
	no	37
	type	書物
	code	cookbook
	name	港町の料理帳
	info	港町の名物料理の作り方をまとめた本。
	price	800
	cost	0
	limit	5/3
	pop	100
	scale	冊
	plus	14400
	base	1/3
	point	5
	@@USE
		name	料理帳を読む
		price	0
		time	3600
		exptime	3600
		exp	0
		action	読む
		info	読むと料理の熟練度が上がります。
		okmsg	料理のコツがわかってきました。
		ngmsg	途中で眠ってしまいました。
		func	_local_
			$DT->{exp}{@@ITEMNO"8"}+=30;	# 魚のシチュー
			$DT->{exp}{@@ITEMNO"10"}+=30;	# アップルパイ
		_local_
			need	1	港町の料理帳

@@ITEM
	no	38
	type	書物
	code	smithbook
	name	鍛冶の手引き
	info	鍛冶屋の親方が書き残した手引き書。
	price	1200
	cost	0
	limit	5/3
	pop	80
	scale	冊
	plus	14400
	base	1/3
	point	5
	@@USE
		name	手引きを読む
		price	0
		time	3600
		exptime	3600
		exp	0
		action	読む
		info	読むと鍛冶の熟練度が上がります。
		okmsg	鍛冶の腕が上がった気がします。
		ngmsg	難しすぎて頭に入りませんでした。
		func	_local_
			foreach my $no (@@ITEMNO"20",@@ITEMNO"21",@@ITEMNO"28")
			{
				$DT->{exp}{$no}+=20;
			}
		_local_
			need	1	鍛冶の手引き
	@@USE
		# 読む時と同じスクリプトを使う
		name	弟子に読み聞かせる
		price	0
		time	3600
		exptime	3600
		exp	0
		action	教える
		info	弟子に読み聞かせると、自分の腕も少し上がります。
		okmsg	弟子が熱心に聞いていました。
		ngmsg	弟子が居眠りをしていました。
		func	_local_1
		job	鍛冶屋	times/job_smith_time_rate
			need	1	鍛冶の手引き
	@@USE
		name	手引きを書き写す
		price	100
		time	28800
		exptime	14400
		exp	5
		action	写す
		info	手引きを書き写してもう1冊作ります。
		okmsg	写本ができました。
		ngmsg	インクをこぼしてしまいました。
		needexp	50
		job	学者	times/2
			need	1	鍛冶の手引き
			use	1	木綿の布
			get	1	鍛冶の手引き

@@ITEM
	no	39
	type	書物
	code	seamap
	name	近海の海図
	info	港の周りの潮の流れを書き込んだ海図。
	price	1500
	cost	0
	limit	3/2
	pop	60
	scale	枚
	plus	21600
	base	1/2
	point	6
	flag	nosend|notrash|notradein|notradeout
	@@USE
		name	海図を見て漁に出る
		price	50
		time	7200
		exptime	3600
		exp	10
		action	出港
		arg	target|nocount
		argmessage	どの店の船で出ますか
		info	海図を頼りに沖の漁場へ出かけます。
		okmsg	沖で大漁でした。
		ngmsg	潮に流されて戻ってきました。
		param	26
		func	item_need_tool
			need	1	近海の海図
			need	1	釣り竿
			get	10	鮮魚	50%	沖の漁場は大漁だった
			get	4	鮮魚

@@ITEM
	no	40
	type	書物
	code	talentbook
	name	才能の書
	info	読んだ者の隠れた才能を引き出すという不思議な本。
	price	5000
	cost	0
	limit	1/1
	pop	10
	scale	冊
	plus	86400
	base	1/1
	point	10
	flag	nosend|notrash|nobuy
	funcs	_local_
		# 売った時に一言
		PushLog(0,$DT->{id},"才能\の書を手放しました。");
	_local_
	@@USE
		name	才能の書を読む
		price	0
		time	86400
		exptime	43200
		exp	0
		action	読む
		info	一番熟練度の低い作業の熟練度が上がります。
		okmsg	新しい才能に目覚めました。
		ngmsg	何も起こりませんでした。
		func	_local_
			my @list=sort { $DT->{exp}{$a} <=> $DT->{exp}{$b} } keys %{$DT->{exp}};
			my $no=$list[0];
			$DT->{exp}{$no}+=200 if defined $no;
			UseItem($DT,@@ITEMNO"40",1);
		_local_
			need	1	才能の書

# ====================================================================
#  薬品
# ====================================================================
@@ITEM
	no	41
	type	薬品
	code	salve
	name	傷薬
	info	薬草を練った塗り薬。
	price	90
	cost	1
	limit	80/40
	pop	900
	scale	個
	plus	1200
	base	20/60
	point	1
	@@USE
		name	傷薬を調合する
		price	20
		time	2400
		exptime	1200
		exp	8
		action	調合
		info	薬草をすりつぶして傷薬を作ります。
		okmsg	傷薬ができました。
		ngmsg	調合に失敗しました。
		param	24,2
		func	item_need_tool
		funcb	item_wear_tool
		job	薬師	times/job_apothecary_time_rate
			use	2	薬草
			need	1	フラスコ
			get	3	傷薬

@@ITEM
	no	42
	type	薬品
	code	antidote
	name	毒消し
	info	毒蛇や毒草に効く飲み薬。
	price	140
	cost	1
	limit	50/25
	pop	600
	scale	本
	plus	1800
	base	15/40
	point	2
	@@USE
		name	毒消しを調合する
		price	30
		time	3600
		exptime	1800
		exp	10
		action	調合
		info	薬草と牛乳から毒消しを作ります。
		okmsg	毒消しができました。
		ngmsg	にがすぎて飲めない薬になりました。
		job	薬師	times/job_apothecary_time_rate
			use	2	薬草
			use	1	牛乳
			need	1	フラスコ
			get	2	毒消し

@@ITEM
	no	43
	type	薬品
	code	elixir
	name	霊薬
	info	どんな病も治すといわれる秘薬。
	price	3000
	cost	2
	limit	3/2
	pop	50
	scale	本
	plus	43200
	base	1/2
	point	8
	flag	notradein
	@@USE
		name	霊薬を調合する
		price	200
		time	43200
		exptime	21600
		exp	60
		action	調合
		arg	select|radio
		argmessage	使う原石の数を選んでください
		argselect	原石の数;one;1個;two;2個
		info	原石を砕いて薬草と混ぜ、霊薬を作ります。
		okmsg	霊薬ができあがりました。
		ngmsg	ただの苦い水になってしまいました。
		needexp	120
		func	_local_
			my $gem=($USE->{argselect} eq 'two') ? 2 : 1;
			if(GetItemCount($DT,@@ITEMNO"18") < $gem)
			{
				OutError("原石が足りません。");
				return 0;
			}

			UseItem($DT,@@ITEMNO"18",$gem);
			$USE->{rate}+=20 if $gem == 2;
			return 1;
		_local_
		job	薬師	times/job_apothecary_time_rate
			use	5	薬草
			need	1	フラスコ
			get	1	霊薬	40%	まばゆく光る薬ができた

# ====================================================================
#  宝飾品
# ====================================================================
@@ITEM
	no	44
	type	宝飾品
	code	ring
	name	銀の指輪
	info	細やかな彫刻の入った銀の指輪。
	price	1600
	cost	2
	limit	10/5
	pop	200
	scale	個
	plus	7200
	base	2/6
	point	5
	@@USE
		name	指輪を作る
		price	100
		time	14400
		exptime	7200
		exp	20
		action	作る
		arg	message10
		argmessage	内側に彫る文字（10文字まで）
		info	銀塊から指輪を作ります。
		okmsg	銀の指輪ができました。
		ngmsg	形が歪んでしまいました。
		needexp	30
		job	細工師	times/job_jeweler_time_rate
			use	1	銀塊
			get	2	銀の指輪

@@ITEM
	no	45
	type	宝飾品
	code	gem
	name	磨いた宝石
	info	原石を丁寧に磨き上げた宝石。
	price	2600
	cost	2
	limit	10/5
	pop	120
	scale	個
	plus	10800
	base	1/4
	point	6
	@@USE
		name	原石を磨く
		price	50
		time	10800
		exptime	5400
		exp	25
		action	磨く
		info	原石を磨いて宝石にします。
		okmsg	美しい宝石に仕上がりました。
		ngmsg	割れてしまいました。
		needexp	40
		funcb	_local_
			# 失敗した時は原石を半分だけ返す
			AddItem($DT,@@ITEMNO"18",1) if rand(100) < 50;
		_local_
		job	細工師	times/job_jeweler_time_rate
			use	1	原石
			get	1	磨いた宝石	75%	見事な輝き

@@ITEM
	name	真珠の首飾り
	no	46
	code	necklace
	type	宝飾品
	PRICE	4800	# 相場より高め
	info	大粒の真珠を連ねた首飾り。港町いちばんの贅沢品。
	cost	3
	limit	5/2
	pop	60
	scale	本
	plus	21600
	base	1/2
	point	9
	flag	nosend|notradeout
	@@use
		name	首飾りを仕立てる
		price	300
		time	21600
		exptime	10800
		exp	40
		action	作る
		info	銀塊と宝石で首飾りを仕立てます。
		okmsg	見事な首飾りができました。
		ngmsg	糸が切れて真珠が散らばってしまいました。
		needexp	80
		job	細工師	times/job_jeweler_time_rate
			use	1	銀塊
			use	2	磨いた宝石
			get	1	真珠の首飾り

# ====================================================================
#  イベント
# ====================================================================
@@EVENT
	code	ev_harvest
	group	season
	start	400	# 発動確率 1/400
	basetime	86400
	plustime	43200
	startmsg	今年は小麦が豊作です
	endmsg	豊作の季節が終わりました
	info	小麦と小麦粉が値下がりしています
	startfunc	event_notice
		param	小麦	70
		param	小麦粉	80

@@EVENT
	code	ev_drought
	group	season
	start	600
	basetime	86400
	plustime	86400
	startmsg	日照りが続いています
	endmsg	恵みの雨が降りました
	info	作物が値上がりしています
	startfunc	_local_
		event_notice($DT,$EVENT);
		event_stock_clear($DT,$EVENT,@@ITEMNO"1",30);
		event_stock_clear($DT,$EVENT,@@ITEMNO"9",30);
	_local_
		param	小麦	140
		param	りんご	150
		param	綿花	130

@@EVENT
	# 嵐の間は船が入ってこない
	code	ev_storm
	group	sea
	start	500
	basetime	21600
	plustime	21600
	startmsg	嵐が近づいています
	endmsg	嵐が去りました
	info	港に船が入れず、魚が品薄です
	func	stock_le
		param	鮮魚	200
		param	魚のシチュー	150

@@EVENT
	code	ev_bigcatch
	group	sea
	start	400
	basetime	43200
	plustime	21600
	startmsg	沖で大漁が続いています
	endmsg	大漁の知らせが途絶えました
	info	鮮魚が安く手に入ります
	endfunc	_local_
		# 終わった時に余った魚を処分する
		event_stock_clear($DT,$EVENT,@@ITEMNO"7",50);
	_local_
		param	鮮魚	60

@@EVENT
	code	ev_festival
	group	town
	start	800
	basetime	86400
	plustime	0
	startmsg	港祭りが始まりました！
	endmsg	港祭りが終わりました
	info	お祭りで食べ物とお菓子がよく売れています
	startfunc	event_notice
	func	_local_
		# 祭りの間は客が多い
		$DT->{guestrate}=150;
	_local_
	endfunc	_local_
		$DT->{guestrate}=100;
	_local_
		param	アップルパイ	130
		param	黒パン	110
		param	ランタン	120

@@EVENT
	code	ev_caravan
	group	town
	start	300
	basetime	43200
	plustime	43200
	startmsg	東方から隊商が到着しました
	endmsg	隊商は次の町へ旅立ちました
	info	珍しい品が市場に並んでいます
	startfunc	event_notice
	func	stock_ge
		param	原石	80
		param	銀塊	85
		param	なめし革	90
		param	ソーセージ	120

@@EVENT
	code	ev_war
	group	world
	start	1200
	basetime	172800
	plustime	86400
	startmsg	隣国で戦争が始まったようです
	endmsg	隣国の戦争が終わりました
	info	武器と防具の値段が上がっています
	startfunc	_local_($rate)
		$rate ||= 150;
		event_price_rate($DT,$EVENT,'武器',$rate);
		event_price_rate($DT,$EVENT,'防具',$rate - 20);
	_local_
	endfunc	_local_($rate)
		event_price_rate($DT,$EVENT,'武器',100);
		event_price_rate($DT,$EVENT,'防具',100);
	_local_
		param	ショートソード	160
		param	ロングソード	170
		param	十字の盾	140

@@EVENT
	code	ev_plague
	group	world
	start	1500
	basetime	86400
	plustime	86400
	startmsg	町で流行り病が広がっています
	endmsg	流行り病がおさまりました
	info	薬がとても良く売れています
	startfunc	event_notice
		param	傷薬	150	# 一番売れる
		param	毒消し	130
		param	霊薬	200

@@EVENT
	code	ev_silvervein
	group	world
	start	2000
	basetime	172800
	plustime	172800
	startmsg	西の鉱山で銀の鉱脈が見つかりました
	endmsg	銀の鉱脈は掘り尽くされました
	info	銀塊が安く出回っています
		param	銀塊	60
		param	銀の指輪	90

@@EVENT
	code	ev_tax
	group	town
	start	700
	basetime	3600
	plustime	3600
	startmsg	徴税官が町を回っています
	endmsg	徴税官は帰っていきました
	info	売り上げに税がかかります
	func	_local_
		# 売上の5%を税として納める
		my $tax=int($DT->{saletoday} * 5 / 100);
		$DT->{money}-=$tax;
		PushLog(0,$DT->{id},"税として${tax}G を納めました。");
	_local_
		param	りんご	# 値を書かないと標準の相場のまま

@@EVENT
	code	ev_fashion
	group	town
	start	900
	basetime	86400
	plustime	43200
	startmsg	都で革の帽子が流行しているそうです
	endmsg	帽子の流行は終わったようです
	info	革の帽子とブーツが人気です
	startfunc	event_notice
		param	革の帽子	180
		param	旅人のブーツ	130

@@EVENT
	code	ev_scholar
	group	town
	start	1000
	basetime	43200
	plustime	21600
	startmsg	旅の学者が町に滞在しています
	endmsg	学者は旅立っていきました
	info	書物がよく売れています
	startfunc	event_notice
	endfunc	_local_
		# 学者が置いていった本
		AddItem($DT,@@ITEMNO"37",1) if rand(100) < 10;
	_local_
		param	港町の料理帳	140
		param	鍛冶の手引き	140
		param	近海の海図	120

# ====================================================================
#  冬の間だけ有効にするアイテムとイベント
# ====================================================================
@@IF	$SEASON eq 'winter'
@@ITEM
	no	47
	type	季節限定
	code	wintercake
	name	冬至のケーキ
	info	冬至の夜に食べる木の実のケーキ。
	price	400
	cost	2
	limit	20/10
	pop	800
	scale	個
	plus	3600
	base	5/15
	point	5
	@@USE
		name	ケーキを焼く
		price	50
		time	7200
		exptime	3600
		exp	15
		action	焼く
		info	小麦粉と牛乳でケーキを焼きます。
		okmsg	冬至のケーキが焼きあがりました。
		ngmsg	生地が固くなってしまいました。
		job	料理人	times/job_cook_time_rate
			use	2	小麦粉
			use	2	牛乳
			get	2	冬至のケーキ

@@ITEM
	no	48
	type	季節限定
	code	snowglobe
	name	雪の置物
	info	ガラス玉の中で雪が舞う置物。子どもへの贈り物に。
	price	700
	cost	1
	limit	10/5
	pop	300
	scale	個
	plus	7200
	base	2/6
	point	4

@@EVENT
	code	ev_snow
	group	season
	start	300
	basetime	43200
	plustime	43200
	startmsg	大雪で街道が閉ざされました
	endmsg	雪がやみ、街道が開きました
	info	冬の品がよく売れています
	startfunc	event_notice
		param	冬至のケーキ	150
		param	雪の置物	140
		param	ランタン	130

@@IF	end
# ここから下は一年中有効

# 宝飾品の簡易登録（エディタには出てこない）
@@USEMACRO	JEWEL	60,amber,琥珀のブローチ,2200
@@USEMACRO	JEWEL	61,coral,珊瑚のかんざし,2600

# ====================================================================
#  販売を終えたアイテム（参考のため残している。makeitem は読まない）
# ====================================================================
@@SKIP
@@ITEM
	no	90
	type	書物
	code	oldmap
	name	古い海図
	info	昔の潮の流れが書かれた海図。もう役に立たない。
	price	200
@@SKIP
	ここは入れ子になった SKIP の中です。
@@ITEM
	no	91
	type	道具
	code	oldlamp
	name	油ランプ
	price	80
@@ENDSKIP
@@EVENT
	code	ev_oldfestival
	startmsg	古い祭りの名残です
@@ENDSKIP
# SKIP はここまで

@@FUNCITEM
# 後から追加した関数（最初の @@FUNCITEM にまとめられる）
sub item_festival_only
{
	my($DT,$USE)=@_;
	return 1 if $EVENT_ACTIVE{ev_festival};
	OutError("お祭りの間しか作れません。");
	return 0;
}

@@END
====================================================================
 ここから下は makeitem もゲームも読まないメモ
====================================================================
・才能の書の値段はもう少し上げてもいいかもしれない
・冬のイベントは $SEASON の設定を忘れずに

@@ITEM
	no	99
	type	食料品
	code	testitem
	name	テスト用の品
	price	1
