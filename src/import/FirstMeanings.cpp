// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirstMeanings.h"

#include <algorithm>

namespace kelvora::import {

namespace {

// "word:meaning", blank-separated. I read the first meaning of each of the
// 3,000 most frequent words and listed those a learner would not take for
// the word's usual sense ("call" first 訪問, "wind" first おなら). Most
// meanings here are one of EDICT's own translations of the word, put first;
// where EDICT has none that fits ("lip", "afford"), the meaning is the
// program's own, as for the function words.
constexpr std::string_view kList = R"(
academic:アカデミック accent:アクセント access:アクセス ace:エース actually:実は addition:追加
additional:追加的 address:住所 administration:行政 advise:勧める affair:出来事 affect:影響 afford:余裕がある
ago:前 alas:ああ alive:生きている all:すべて alteration:変化 analyze:分析する anger:怒り angry:怒った
another:もう一つ any:どんな anywhere:どこでも apart:別々に apparently:どうやら appearance:見た目
appreciate:感謝する area:地域 asleep:眠って association:協会 attention:注意 attraction:魅力 automobile:自動車
away:離れて awful:ひどい back:後ろ backward:後ろへ barely:かろうじて base:基礎 bat:バット beat:打つ bed:ベッド
behavior:行動 belt:ベルト bench:ベンチ benefit:利益 better:より良い bit:少し blind:盲目的 boat:ボート
boot:ブーツ bore:飽かす bother:迷惑 bound:〜行き bow:お辞儀 brand:ブランド break:壊す briefly:簡略に
brightness:明るさ bring:持ってくる brown:ブラウン brush:ブラシ buffer:バッファ burn:焼く button:ボタン call:呼ぶ
camp:キャンプ campaign:キャンペーン capital:首都 captain:キャプテン card:カード care:世話 cast:投げる
cent:セント certainly:もちろん channel:チャンネル character:性格 charge:料金 child:子供 chip:チップ circle:円
citizen:市民 clarify:明らかにする class:学級 clear:明らか club:クラブ coach:コーチ coat:上着 coffee:コーヒー
collection:収集 combination:組み合わせ comfortable:快適 coming:到来 comment:コメント commercial:コマーシャル
commitment:約束 communist:共産主義者 complain:文句を言う compose:作る concern:懸念 confidence:自信 confront:直面
constant:一定 consult:相談する contemporary:コンテンポラリー contrary:反対 correct:正しい council:評議会
couple:カップル courage:勇気 credit:信用 current:現在 damned:くそ dead:死んだ decade:十年 deliberately:わざと
demonstration:実演 department:部門 depth:深さ describe:描く desert:砂漠 dictionary:辞書 different:別
disaster:災害 discuss:話し合う disease:病気 distant:遠い division:分割 do:する doctor:医者 dollar:ドル
drawing:絵 dress:ドレス drive:運転する dumb:頭が悪い earth:地球 easy:簡単 edge:端 either:どちらか
elevator:エレベーター eliminate:除く emergency:緊急 end:終わり energy:エネルギー engage:従事する engine:エンジン
era:時代 especially:特に establish:設立する evening:夕方 event:出来事 exactly:ちょうど exciting:刺激的
expect:期待する expert:専門家 explain:説明する extend:広げる factor:要素 fall:落ちる fan:ファン fault:欠点
favor:好意 favorite:お気に入り female:女性 field:分野 figure:数字 file:ファイル film:映画 final:最終
finance:金融 finding:発見 firm:堅固 firmly:しっかり first:最初 fix:直す flat:平ら following:次 food:食べ物
fool:ばか foreign:海外 fork:フォーク found:設立する foundation:基礎 freely:自由に frequency:頻度 front:正面
fully:十分 game:試合 generally:一般に gently:優しく get:得る give:与える glass:ガラス glue:接着剤 governor:知事
graph:グラフ grind:挽く gross:総 growth:成長 hall:ホール hardly:ほとんど〜ない have:持つ healthy:健康
heavily:重く hello:こんにちは hence:そのため highly:高く hill:丘 hint:ヒント home:家庭 honor:名誉
horrible:恐るべき hotel:ホテル hour:時間 house:家 huh:ふーん humor:ユーモア identity:アイデンティティ
implication:意味合い inch:インチ incredible:信じられない industrial:産業用 inferior:下等 instance:例
instruction:指示 intend:つもりである interest:興味 internal:内部 introduction:紹介 invent:生み出す issue:問題
jerk:ぐいと引く judgment:判断 justify:正当化する kid:子供 kiss:キス knife:ナイフ land:陸 late:遅い lay:置く
leave:去る lesson:授業 liberal:リベラル lift:持ち上げる lightly:軽く line:線 lip:唇 local:地元 lot:たくさん
loudly:騒々しく lover:恋人 mad:頭が変 major:主要 male:男性 man:男 manage:管理する manufacturer:メーカー
margin:余白 mark:印 medicine:薬 membership:メンバーシップ message:メッセージ meter:メーター milk:牛乳 mind:心
minor:小さい month:月 motion:動き native:土着 natural:自然 nearly:ほとんど negative:消極的 nervous:神経質
next:次 nice:良い normally:普通 observe:観察する occasion:時 occurrence:発生 odd:奇妙 official:公式 opinion:意見
oppose:反対する opposite:反対 original:オリジナル own:持つ page:ページ part:部分 partly:部分的に
partner:パートナー party:パーティー passion:情熱 pen:ペン perfectly:完全に persuade:説得する phone:電話
piece:一個 pipe:管 plane:飛行機 pleasure:喜び pocket:ポケット policy:方針 pool:プール pop:弾ける positive:前向き
possibly:もしかすると pound:ポンド power:力 present:現在 presentation:提示 presently:追って previously:前もって
pride:誇り primary:第一義的 profound:深い promote:進める prove:証明する provide:与える publish:出版する
pump:ポンプ pupil:生徒 question:質問 quickly:さっと quietly:そっと quite:かなり radio:ラジオ range:範囲
rapidly:迅速に ready:用意ができた realize:気付く really:本当に reasonable:合理的 recently:最近 reduction:削減
refer:言及する regard:みなす regular:定期的 rejection:拒絶 remarkably:著しく remind:思い出させる
representation:表現 reservation:予約 responsible:責任がある restaurant:レストラン revision:改訂 ride:乗り
ring:指輪 rock:岩 romantic:ロマンチック room:部屋 rose:ばら scale:規模 scene:場面 scope:範囲 secondary:二次 security:安全
separate:分ける service:サービス set:据える several:いくつか severely:厳しく sheet:シート shelter:避難所 shop:店
sight:光景 significant:重大 silent:静か silver:銀 similar:同様 simultaneously:同時に sincerely:心から
size:大きさ slightly:やや solution:解決 soon:まもなく sort:類 southern:南の spare:予備 speaker:話し手 species:種
spin:回す sponsor:スポンサー sport:スポーツ spot:地点 stable:安定した staff:スタッフ stamp:切手 station:駅
stem:茎 step:一歩 store:店 story:物語 street:通り stress:強調 strike:打つ stroke:一打 strongly:強く stupid:愚か
succeed:成功する successful:成功した suggest:提案する sun:太陽 superior:優秀 suppose:思う surely:きっと
survival:生存 switch:切り替える sympathetic:情に厚い system:システム talk:話す team:チーム telephone:電話
television:テレビ tell:言う then:それから theoretical:理論的 third:三番 thoroughly:すっかり throw:投げる
title:題名 toe:足指 toss:投げる totally:全然 train:列車 treat:扱う tree:木 trick:いたずら truck:トラック
true:本当 truly:本当に trust:信頼 unbelievable:信じられない unpleasant:不愉快 upper:上 upset:動揺した
usually:たいてい utterly:全く variety:多様性 very:とても view:見晴らし violently:激しく virtue:善
visible:目に見える walk:歩く want:欲しい warn:警告する waste:浪費 way:方法 weather:天気 western:西の wet:濡れた
widely:広く wind:風 wonderful:素晴らしい worker:労働者 wow:わあ wrong:間違った
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
