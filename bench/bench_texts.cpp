#include "bench_texts.h"

#include <cstddef>
#include <cstdio>
#include <iterator>

namespace {

// Shift-JIS words, written as bytes. Several have 0x5C ("\") as their
// second byte, as real item names do.
const char* const kItemNames[] = {
    "\x8d\x7c\x82\xcc\x8c\x95",  // 鋼の剣
    "\x96\xd8\x82\xcc\x8f\x82",  // 木の盾
    "\x96\xf2\x91\x90",  // 薬草
    "\x96\x82\x96\x40\x82\xcc\x8f\xf1",  // 魔法の杖
    "\x8b\xe2\x82\xcc\x8e\x77\x97\xd6",  // 銀の指輪
    "\x89\xf1\x95\x9c\x96\xf2",  // 回復薬
    "\x93\xc5\x8f\xc1\x82\xb5",  // 毒消し
    "\x8a\x76\x82\xcc\x8a\x5a",  // 革の鎧
    "\x90\xb9\x90\x85",  // 聖水
    "\x97\xb3\x82\xcc\x97\xd8",  // 竜の鱗
    "\x83\x5c\x81\x5b\x83\x68\x83\x75\x83\x8c\x83\x43\x83\x4a\x81\x5b",  // ソードブレイカー
    "\x94\x5c\x97\xcd\x82\xcc\x8f\x91",  // 能力の書
    "\x97\x5c\x96\xf1\x8c\x94",  // 予約券
    "\x95\x5c\x8e\xa6\x94\xc2",  // 表示板
    "\x90\xaf\x82\xcc\x82\xa9\x82\xaf\x82\xe7",  // 星のかけら
    "\x8c\xc3\x82\xa2\x92\x6e\x90\x7d",  // 古い地図
};
const char* const kInfos[] = {
    "\x93\x58\x82\xc5\x94\x84\x82\xc1\x82\xc4\x82\xa2\x82\xe9\x95\x81\x92\xca\x82\xcc\x95\x69\x95\xa8\x82\xc5\x82\xb7\x81\x42",  // 店で売っている普通の品物です。
    "\x96\x60\x8c\xaf\x8e\xd2\x82\xc9\x90\x6c\x8b\x43\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb7\x81\x42",  // 冒険者に人気があります。
    "\x8e\x67\x82\xa4\x82\xc6\x91\xcc\x97\xcd\x82\xaa\x8f\xad\x82\xb5\x89\xf1\x95\x9c\x82\xb7\x82\xe9\x81\x42",  // 使うと体力が少し回復する。
    "\x90\x45\x90\x6c\x82\xaa\x92\x4f\x90\xb8\x8d\x9e\x82\xdf\x82\xc4\x8d\xec\x82\xc1\x82\xbd\x88\xed\x95\x69\x81\x42",  // 職人が丹精込めて作った逸品。
    "\x95\x5c\x92\xca\x82\xe8\x82\xcc\x8e\x73\x8f\xea\x82\xc5\x8c\xa9\x82\xa9\x82\xaf\x82\xe9\x81\x42",  // 表通りの市場で見かける。
    "\x95\x73\x8e\x76\x8b\x63\x82\xc8\x97\xcd\x82\xf0\x94\xe9\x82\xdf\x82\xc4\x82\xa2\x82\xe9\x82\xe7\x82\xb5\x82\xa2\x81\x42",  // 不思議な力を秘めているらしい。
};
const char* const kVerbs[] = {
    "\x8d\xec\x82\xe9",  // 作る
    "\x8e\x67\x82\xa4",  // 使う
    "\x94\x84\x82\xe9",  // 売る
    "\x92\xb2\x8d\x87\x82\xb7\x82\xe9",  // 調合する
    "\x92\x62\x82\xa6\x82\xe9",  // 鍛える
};
const char* const kJobNames[] = {
    "\x92\x62\x96\xe8\x89\xae",  // 鍛冶屋
    "\x96\xf2\x8d\xdc\x8e\x74",  // 薬剤師
    "\x96\x82\x8f\x70\x8e\x74",  // 魔術師
    "\x8f\xa4\x90\x6c",  // 商人
    "\x8d\xd7\x8d\x48\x8e\x74",  // 細工師
};
const char* const kEventNames[] = {
    "\x91\xe5\x94\x84\x82\xe8\x8f\x6f\x82\xb5",  // 大売り出し
    "\x8e\xfb\x8a\x6e\x8d\xd5",  // 収穫祭
    "\x97\x92\x82\xcc\x96\xe9",  // 嵐の夜
    "\x89\xa4\x97\x6c\x82\xcc\x92\x61\x90\xb6\x93\xfa",  // 王様の誕生日
    "\x8e\x73\x8f\xea\x82\xcc\x8b\x78\x93\xfa",  // 市場の休日
};
const char* const kComments[] = {
    "\x92\xb2\x90\xae\x92\x86",  // 調整中
    "\x92\x6c\x92\x69\x82\xcd\x97\x76\x8a\x6d\x94\x46",  // 値段は要確認
    "\x8e\x9f\x82\xcc\x94\xc5\x82\xc5\x8c\xa9\x92\xbc\x82\xb7",  // 次の版で見直す
    "\x83\x5c\x81\x5b\x83\x58\x82\xcd\x8b\x8c\x94\xc5",  // ソースは旧版
};
const char* const kTypeNames[] = {
    "\x95\x90\x8a\xed",  // 武器
    "\x96\x68\x8b\xef",  // 防具
    "\x93\xb9\x8b\xef",  // 道具
    "\x91\x66\x8d\xde",  // 素材
    "\x96\x82\x96\x40",  // 魔法
};
const char* const kSettingValues[] = {
    "\x82\xcd\x82\xa2",  // はい
    "\x82\xa2\x82\xa2\x82\xa6",  // いいえ
    "\x95\x57\x8f\x80",  // 標準
    "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e",  // ＭＳ ゴシック
    "\x90\x56\x82\xb5\x82\xa2\x83\x76\x83\x8d\x83\x57\x83\x46\x83\x4e\x83\x67",  // 新しいプロジェクト
};

const char* const kJobCodes[] = {"smith", "chemist", "wizard", "merchant", "crafter"};
const char* const kFunctionKeywords[] = {"FUNCITEM", "FUNCEVENT", "FUNCUPDATE", "FUNCINIT",   "FUNCBUY",
                                         "FUNCBASE", "FUNCTURN",  "FUNCCUSTOM", "FUNCNEW",    "FUNCSHOPIN",
                                         "FUNCSHOPOUT", "FUNCSALE"};
const char* const kSettingKeys[] = {"SaveAutoBackup", "RestoreOpenFile", "Page0x5cEscapeMode", "IconEditor",
                                    "ProjectName",    "RuleKey",         "IconFolder",         "FontName"};

// splitmix64: small, fast and the same on every platform.
class Random {
public:
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }
    template <class T, std::size_t K>
    T Pick(const T (&items)[K])
    {
        return items[Below(K)];
    }

private:
    uint64_t Next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint64_t m_state = 0x7A5A40u;
};

// Appends lines to a text; Num() writes a decimal number.
class LineWriter {
public:
    LineWriter(CStr_base<16384>* out, const char* eol) : m_out(out), m_eol(eol) {}

    LineWriter& operator<<(const char* s)
    {
        m_out->Append(s);
        return *this;
    }
    LineWriter& Num(uint32_t n)
    {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%u", n);
        m_out->Append(digits);
        return *this;
    }
    void End() { m_out->Append(m_eol); }

private:
    CStr_base<16384>* m_out;
    const char* m_eol;
};

class DataWriter {
public:
    DataWriter(DataText* out, const char* eol) : m_data(out), m_w(&out->text, eol) {}

    void Generate(uint32_t bytes)
    {
        m_data->text.Reserve(bytes + 4096);
        m_w << "# Tavaro item data (generated)";
        m_w.End();
        ++m_data->blocks;
        Define();
        while (m_data->text.GetLength() < bytes) {
            uint32_t r = m_random.Below(100);
            if (r < 80) {
                Item();
            } else if (r < 90) {
                Event();
            } else if (r < 96) {
                Function();
            } else if (r < 98) {
                Keyword("@@IF $ENV{'TAVARO_DEBUG'}");  // an IF line is a block of its own
                Item();
            } else {
                Keyword("@@SKIP");
                Item();
                Keyword("@@ENDSKIP");
            }
        }
        Keyword("@@END");
        m_w << "# end of item data";
        m_w.End();
    }

private:
    void Keyword(const char* line)
    {
        m_w << line;
        m_w.End();
        ++m_data->blocks;
    }

    void Define()
    {
        Keyword("@@DEFINE");
        for (uint32_t i = 0; i < std::size(kTypeNames); ++i) {
            m_w << "type";
            m_w.Num(i + 1) << "\t" << kTypeNames[i];
            m_w.End();
        }
        for (uint32_t i = 0; i < std::size(kJobCodes); ++i) {
            m_w << "job\t" << kJobCodes[i] << "\t" << kJobNames[i];
            m_w.End();
        }
        m_w << "set\tjob_smith_time_rate";
        m_w.End();
        m_w.End();
    }

    void LocalBlock(const char* indent, const char* head)
    {
        m_w << indent << head << "\t_local_";
        m_w.End();
        m_w << indent << "\tif ($item[";
        m_w.Num(m_random.Below(m_itemNo + 1)) << "] > ";
        m_w.Num(m_random.Below(50)) << ") {";
        m_w.End();
        m_w << indent << "\t\t$msg = \"" << m_random.Pick(kInfos) << "\";";
        m_w.End();
        m_w << indent << "\t}";
        m_w.End();
        m_w << indent << "_local_";
        m_w.End();
    }

    void Item()
    {
        ++m_itemNo;
        Keyword("@@ITEM");
        m_w << "\tno\t";
        m_w.Num(m_itemNo).End();
        m_w << "\ttype\t";
        m_w.Num(1 + m_random.Below(std::size(kTypeNames))).End();
        m_w << "\tcode\titem";
        m_w.Num(m_itemNo).End();
        m_w << "\tname\t" << m_random.Pick(kItemNames);
        m_w.End();
        uint32_t price = 10 * (1 + m_random.Below(5000));
        m_w << "\tprice\t";
        m_w.Num(price);
        if (m_random.Below(4) == 0)
            m_w << "\t# " << m_random.Pick(kComments);
        m_w.End();
        m_w << "\tcost\t";
        m_w.Num(price / 2).End();
        m_w << "\tlimit\t";
        m_w.Num(1 + m_random.Below(999)).End();
        m_w << "\tinfo\t";
        if (m_random.Below(150) == 0)
            m_w << kRareWord;
        m_w << m_random.Pick(kInfos);
        m_w.End();
        for (uint32_t uses = 1 + m_random.Below(2); uses; --uses)
            Use(price);
        if (m_random.Below(5) == 0)
            LocalBlock("\t", "funct");
        m_w.End();
    }

    void Use(uint32_t price)
    {
        m_w << "\t@@USE";
        m_w.End();
        m_w << "\t\tname\t" << m_random.Pick(kVerbs);
        m_w.End();
        m_w << "\t\tjob\t" << m_random.Pick(kJobCodes);
        m_w.End();
        m_w << "\t\tuse\titem\t";
        m_w.Num(1 + m_random.Below(m_itemNo)) << "\t";
        m_w.Num(1 + m_random.Below(9)).End();
        m_w << "\t\tneed\tmoney\t";
        m_w.Num(price).End();
        m_w << "\t\tget\titem\t";
        m_w.Num(m_itemNo) << "\t1";
        m_w.End();
        if (m_random.Below(6) == 0)
            LocalBlock("\t\t", "func");
    }

    void Event()
    {
        ++m_eventNo;
        Keyword("@@EVENT");
        m_w << "\tcode\tev";
        m_w.Num(m_eventNo).End();
        m_w << "\tname\t" << m_random.Pick(kEventNames);
        m_w.End();
        m_w << "\tparam\trate ";
        m_w.Num(m_random.Below(100)).End();
        m_w << "\tparam\tdays ";
        m_w.Num(1 + m_random.Below(30)).End();
        m_w << "\tinfo\t" << m_random.Pick(kInfos);
        m_w.End();
        LocalBlock("\t", "startfunc");
        m_w.End();
    }

    void Function()
    {
        m_w << "@@" << m_random.Pick(kFunctionKeywords);
        m_w.End();
        ++m_data->blocks;
        m_w << "\t# " << m_random.Pick(kComments);
        m_w.End();
        m_w << "\t$total += $item[";
        m_w.Num(m_random.Below(m_itemNo + 1)) << "] * ";
        m_w.Num(m_random.Below(100)) << ";";
        m_w.End();
        m_w.End();
    }

    DataText* m_data;
    LineWriter m_w;
    Random m_random;
    uint32_t m_itemNo = 0;
    uint32_t m_eventNo = 0;
};

}  // namespace

void GenerateDataText(uint32_t bytes, const char* eol, DataText* out)
{
    out->text.Release();
    out->blocks = 0;
    DataWriter(out, eol).Generate(bytes);
}

void GenerateSettingsText(uint32_t bytes, SettingsText* out)
{
    out->text.Release();
    out->keyLines = 0;
    out->keyBytes = 0;
    out->text.Reserve(bytes + 4096);
    LineWriter w(&out->text, "\n");
    Random random;
    auto keyLine = [&](const char* indent, const char* key, uint32_t keyNumber, const char* value) {
        uint32_t before = out->text.GetLength() + static_cast<uint32_t>(std::strlen(indent));
        w << indent << key;
        w.Num(keyNumber);
        out->keyBytes += out->text.GetLength() - before;
        ++out->keyLines;
        w << "=" << value;
        w.End();
    };
    for (uint32_t section = 0; out->text.GetLength() < bytes; ++section) {
        w << "[Project";
        w.Num(section) << "]";
        w.End();
        for (uint32_t i = 0; i < 6; ++i)
            keyLine("\t", random.Pick(kSettingKeys), i, random.Pick(kSettingValues));
        keyLine("\t", "LastOpenFile", section, "C:\\Games\\Shop\\cgi-bin\\inc-item-data.cgi");
        w << "\t[Window]";
        w.End();
        char number[16];
        for (const char* key : {"Left", "Top", "Width", "Height"}) {
            std::snprintf(number, sizeof number, "%u", random.Below(1600));
            keyLine("\t\t", key, section, number);
        }
        w << "\t[EndSection]";
        w.End();
        w << "[EndSection]";
        w.End();
    }
}
