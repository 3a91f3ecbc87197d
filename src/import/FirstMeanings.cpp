// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirstMeanings.h"

#include <algorithm>

namespace kelvora::import {

namespace {

// "word:meaning", blank-separated. The first meaning of each of the 6,000
// most frequent words was read by hand; listed are those a learner would not
// take for the word's usual sense ("call" first 訪問, "wind" first おなら). Most
// meanings here are one of EDICT's own translations of the word, put first;
// where EDICT has none that fits ("lip", "afford"), the meaning is the
// program's own, as for the function words.
constexpr std::string_view kList = R"(
academic:アカデミック accent:アクセント access:アクセス accuse:責める accustomed:慣れた ace:エース actually:実は
addition:追加 additional:追加的 address:住所 administration:行政 advise:勧める affair:出来事 affect:影響
afford:余裕がある ago:前 alas:ああ alive:生きている all:すべて alteration:変化 analyze:分析する anger:怒り
angry:怒った annoy:煩わす another:もう一つ antenna:アンテナ anxious:心配な any:どんな anywhere:どこでも
apart:別々に apparently:どうやら appearance:見た目 appreciate:感謝する approximate:およその area:地域
arrogance:傲慢 asleep:眠って ass:ロバ assess:評価する association:協会 assured:確信した attention:注意
attraction:魅力 august:畏れ多い automobile:自動車 away:離れて awful:ひどい axiom:公理 back:後ろ backward:後ろへ
barely:かろうじて base:基礎 bat:バット beat:打つ bed:ベッド behavior:行動 belt:ベルト bench:ベンチ benefit:利益
better:より良い biological:生物学的 bit:少し blade:刃 blind:盲目的 boat:ボート bolt:ボルト boom:ブーム
boot:ブーツ bore:飽かす bother:迷惑 bound:〜行き bow:お辞儀 brake:ブレーキ brand:ブランド bread:パン break:壊す
breeze:そよ風 briefly:簡略に brightness:明るさ bring:持ってくる broadly:広く brown:ブラウン brush:ブラシ
buffer:バッファ bulb:電球 burn:焼く bush:灌木 button:ボタン cake:ケーキ calculus:微積分 call:呼ぶ camp:キャンプ
campaign:キャンペーン capital:首都 captain:キャプテン card:カード care:世話 cast:投げる cent:セント
certainly:もちろん channel:チャンネル character:性格 charge:料金 chestnut:栗 child:子供 chip:チップ circle:円
cite:挙げる citizen:市民 civil:民間 clarify:明らかにする class:学級 clear:明らか club:クラブ coach:コーチ
coat:上着 coffee:コーヒー coincidence:偶然 collection:収集 combination:組み合わせ comfortable:快適
comfortably:快適に coming:到来 comment:コメント commercial:コマーシャル commitment:約束 communist:共産主義者
compact:コンパクト competitive:競争の complain:文句を言う compose:作る concede:譲る concern:懸念
concert:コンサート condemnation:非難 cone:円錐 confidence:自信 confront:直面 conjunction:接続詞 constant:一定
constraint:制約 consult:相談する contemporary:コンテンポラリー contradictory:矛盾した contrary:反対
corn:とうもろこし correct:正しい correctly:正しく corrupt:腐敗した council:評議会 couple:カップル courage:勇気
cradle:ゆりかご credit:信用 criticize:批判する cube:立方体 current:現在 curriculum:カリキュラム cute:かわいい
dead:死んだ dealer:業者 decade:十年 definitive:決定的 deliberately:わざと demonstration:実演 department:部門
depth:深さ describe:描く desert:砂漠 designate:指定する devise:考え出す dictate:命じる dictionary:辞書 diet:食事
different:別 digit:桁 disagreement:不一致 disaster:災害 discuss:話し合う disease:病気 distant:遠い
distortion:歪み division:分割 do:する doctor:医者 dollar:ドル dose:用量 downright:全くの drawing:絵 dress:ドレス
drinking:飲用 drive:運転する drown:溺れる dumb:頭が悪い duration:期間 earth:地球 eastern:東の easy:簡単 edge:端
ego:エゴ either:どちらか elegance:優美 elevator:エレベーター eliminate:除く emergency:緊急 emulator:エミュレータ
end:終わり energy:エネルギー engage:従事する engine:エンジン era:時代 erroneous:誤った especially:特に
establish:設立する evaluate:評価する evening:夕方 event:出来事 exactly:ちょうど exciting:刺激的 executive:役員
expect:期待する expert:専門家 explain:説明する extend:広げる factor:要素 factual:事実に基づく fall:落ちる
fan:ファン fantastic:素敵 fault:欠点 favor:好意 favorite:お気に入り female:女性 field:分野 fifth:五番目
fig:いちじく figure:数字 file:ファイル film:映画 final:最終 finance:金融 finding:発見 firm:堅固 firmly:しっかり
first:最初 fix:直す flat:平ら flexibility:柔軟性 folder:フォルダ following:次 fond:好きな food:食べ物 fool:ばか
foreign:海外 fork:フォーク fortunate:幸運な found:設立する foundation:基礎 framework:枠組み frank:率直
freely:自由に frequency:頻度 friendship:友情 front:正面 frustrate:挫折させる fully:十分 fuss:大騒ぎ game:試合
gang:ギャング generally:一般に gently:優しく get:得る give:与える glass:ガラス glow:光 glue:接着剤 going:進行
goodness:善良 governor:知事 graph:グラフ graphic:グラフィック grief:悲しみ grind:挽く gross:総 growth:成長
hall:ホール handbag:ハンドバッグ happily:嬉しく hardly:ほとんど〜ない harshly:厳しく have:持つ healthy:健康
heavily:重く hello:こんにちは hence:そのため hi:やあ highly:高く hill:丘 hint:ヒント home:家庭 honor:名誉
hook:フック horrible:恐るべき hotel:ホテル hour:時間 house:家 housing:住宅 huh:ふーん humor:ユーモア
hungry:腹ぺこ hunt:狩る ideally:理想的に identity:アイデンティティ idiot:ばか ignorant:無知な
illiterate:読み書きのできない illustration:挿絵 immoral:非道徳的 implication:意味合い inch:インチ
incompetent:無能な incredible:信じられない individually:個々に industrial:産業用 inferior:下等
inflation:インフレーション insignificant:取るに足らない inspect:検査する instance:例 instruction:指示
intend:つもりである intense:強烈 interaction:相互作用 interest:興味 interface:インターフェース internal:内部
intimate:親しい introduction:紹介 invent:生み出す inventor:発明家 invisible:目に見えない issue:問題
jack:ジャック jerk:ぐいと引く judgment:判断 juice:ジュース justification:正当化 justify:正当化する keen:熱心
kid:子供 kindly:親切に kindness:親切 kiss:キス knife:ナイフ land:陸 late:遅い lay:置く layer:層 leave:去る
lens:レンズ lesson:授業 liaison:連絡 liberal:リベラル lifestyle:生活スタイル lift:持ち上げる lightly:軽く
line:線 lip:唇 litter:ごみ local:地元 loophole:抜け穴 lot:たくさん loudly:騒々しく lousy:ひどい lover:恋人
mad:頭が変 maid:お手伝いさん major:主要 male:男性 man:男 manage:管理する manufacturer:メーカー margin:余白
mark:印 marvelous:素晴らしい mechanic:整備士 mechanical:機械的 medal:メダル medicine:薬
membership:メンバーシップ menu:メニュー message:メッセージ meter:メーター milk:牛乳 mind:心 minister:大臣
minor:小さい mole:モグラ momentarily:一瞬 month:月 motion:動き motivation:やる気 mug:マグカップ native:土着
natural:自然 nearly:ほとんど neat:きちんとした negative:消極的 nervous:神経質 next:次 nice:良い normally:普通
nuclear:核 observe:観察する occasion:時 occurrence:発生 odd:奇妙 offend:怒らす official:公式 opinion:意見
oppose:反対する opposite:反対 original:オリジナル otherwise:でなければ overlap:重なる own:持つ pad:パッド
page:ページ panel:パネル parody:パロディー part:部分 partially:部分的に partly:部分的に partner:パートナー
party:パーティー passenger:乗客 passion:情熱 password:パスワード patronize:引き立てる pedal:ペダル pen:ペン
perfection:完璧さ perfectly:完全に persuade:説得する pet:ペット phone:電話 piece:一個 pin:ピン pipe:管
plane:飛行機 pleasantly:楽しく pleasing:心地よい pleasure:喜び pocket:ポケット policy:方針 pool:プール
pop:弾ける pornography:ポルノグラフィー positive:前向き possibly:もしかすると pound:ポンド power:力
precede:先立つ preferably:なるべくなら present:現在 presentation:提示 presently:追って previously:前もって
pride:誇り primary:第一義的 privacy:プライバシー profound:深い promote:進める proud:誇らしい prove:証明する
provide:与える publish:出版する pump:ポンプ pun:洒落 pupil:生徒 quack:やぶ医者 question:質問 quickly:さっと
quietly:そっと quite:かなり radio:ラジオ range:範囲 rapidly:迅速に ray:光線 ready:用意ができた realize:気付く
really:本当に reasonable:合理的 recently:最近 recipe:レシピ recycling:リサイクル reduction:削減 refer:言及する
regard:みなす regular:定期的 rejection:拒絶 relieve:和らげる remarkably:著しく remind:思い出させる
renew:更新する representation:表現 reservation:予約 responsible:責任がある restaurant:レストラン revision:改訂
ride:乗り rightly:正しく rigorous:厳格 ring:指輪 rival:ライバル rock:岩 rocket:ロケット romance:ロマンス
romantic:ロマンチック room:部屋 rose:ばら rubber:ゴム scale:規模 scarcely:ほとんど〜ない scene:場面 scope:範囲
secondary:二次 secular:世俗的 security:安全 separate:分ける separately:別々に server:サーバー service:サービス
set:据える seventh:七番目 several:いくつか severely:厳しく sexuality:セクシュアリティ sharply:鋭く sheet:シート
shelter:避難所 shop:店 shortage:不足 sick:病気の sight:光景 significant:重大 silent:静か silver:銀 similar:同様
simultaneously:同時に sincerely:心から sixth:六番目 size:大きさ skirt:スカート slap:平手打ち slightly:やや
slim:スリム smoothly:滑らかに socket:ソケット solution:解決 soon:まもなく sort:類 southern:南の spare:予備
speaker:話し手 specially:特別に species:種 speculate:推測する spin:回す spokesman:スポークスマン
sponsor:スポンサー sport:スポーツ spot:地点 spray:スプレー spy:スパイ stable:安定した staff:スタッフ stamp:切手
station:駅 steam:蒸気 stem:茎 step:一歩 stereotype:固定観念 stimulation:刺激 store:店 story:物語 stray:野良
street:通り stress:強調 strike:打つ stroke:一打 strongly:強く stupid:愚か stupidity:愚かさ succeed:成功する
successful:成功した suggest:提案する sun:太陽 superior:優秀 supper:夕ご飯 suppose:思う surely:きっと
surrounding:周囲の survival:生存 swing:振る switch:切り替える sympathetic:情に厚い symptom:症状 system:システム
talk:話す team:チーム telephone:電話 television:テレビ tell:言う temper:気性 terminate:終わらせる
terrorism:テロリズム then:それから theoretical:理論的 third:三番 thoroughly:すっかり thou:汝 throw:投げる
tired:疲れた title:題名 toe:足指 toll:通行料 toss:投げる totally:全然 touching:感動的 train:列車 treat:扱う
tree:木 trick:いたずら triple:三重 truck:トラック true:本当 truly:本当に trust:信頼
unacceptable:受け入れられない unbelievable:信じられない uncertainty:不確実性 undoubtedly:間違いなく
uneasy:不安げ unpleasant:不愉快 unrealistic:非現実的 unstable:不安定 untrue:事実でない upgrade:アップグレード
upper:上 upset:動揺した usually:たいてい utterly:全く variety:多様性 very:とても view:見晴らし
vigorously:勢いよく violently:激しく virtue:善 visible:目に見える vital:欠かせない waist:ウエスト walk:歩く
wander:さすらう want:欲しい warn:警告する waste:浪費 wax:ワックス way:方法 weary:疲れた weather:天気
western:西の wet:濡れた widely:広く wind:風 wonderful:素晴らしい worker:労働者 wow:わあ wrong:間違った
)";

}  // namespace

const std::unordered_map<std::string_view, std::string_view>& FirstMeanings() {
    static const auto list = [] {
        std::unordered_map<std::string_view, std::string_view> out;
        std::size_t at = 0;
        while (at < kList.size()) {
            const std::size_t end = std::min(kList.find_first_of(" \n", at), kList.size());
            const std::string_view entry = kList.substr(at, end - at);
            if (const std::size_t colon = entry.find(':'); colon != std::string_view::npos)
                out.emplace(entry.substr(0, colon), entry.substr(colon + 1));
            at = end + 1;
        }
        return out;
    }();
    return list;
}

std::string_view FirstMeaning(std::string_view word) {
    const auto& list = FirstMeanings();
    const auto it = list.find(word);
    return it == list.end() ? std::string_view{} : it->second;
}

}  // namespace kelvora::import
