// The word tables row by row against the tables as published, decoded from their GBK bytes.
#include "generators/word_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "gbk.h"

namespace {

struct TableCase {
    const char* name;
    const WordTable* table;
    std::size_t rows;
    std::size_t charsPerEntry;
    const char* expected;  // UTF-8, rows separated by blanks, in row order
};

const TableCase tableCases[] = {
    {"raceTable", &raceTable, 11, 1, "人 妖 仙 佛 鬼 冥 魔 邪 圣 神 兽"},
    {"rankTable", &rankTable, 4, 1, "王 皇 帝 祖"},
    {"epithetTable", &epithetTable, 26, 2,
     "混沌 戾血 游魂 八卦 丧魂 分浪 断空 蹦云 逆炎 噬血 震天 衍天 破天 极金 阴阳 凌寒 幻灭 流云 "
     "轮回 碎空 妄虚 往生 裂天 撕魄 蹦山 灭生"},
    {"weaponKindTable", &weaponKindTable, 26, 1,
     "钩 塔 矛 戟 叉 鞭 锤 刀 弓 剑 戒 枪 锁 链 斧 盾 靴 杖 尺 刺 针 鼎 爪 环 棍 锏"},
    {"techniqueKindTable", &techniqueKindTable, 4, 1, "经 掌 腿 杀"},
    {"surnameTable", &surnameTable, 110, 1,
     "庞 樊 兰 殷 施 陶 洪 翟 安 颜 倪 严 牛 闫 温 芦 季 俞 章 鲁 葛 伍 韦 申 尤 毕 聂 丛 焦 向 "
     "柳 邢 路 岳 齐 沿 梅 莫 庄 辛 管 房 姜 左 涂 谷 祁 时 舒 耿 牟 卜 路 詹 关 苗 凌 纪 靳 盛 "
     "童 欧 甄 项 曲 成 游 阳 裴 席 卫 查 屈 鲍 位 覃 霍 翁 隋 植 甘 景 薄 单 包 司 柏 宁 柯 阮 "
     "桂 闵 欧 阳 解 强 柴 华 车 冉 阎 夏 魏 沈 邓 杜 石 姚 薛 贾"},
    {"compoundSurnameTable", &compoundSurnameTable, 82, 2,
     "欧阳 太史 端木 上官 司马 东方 独孤 南宫 万俟 闻人 夏侯 诸葛 尉迟 公羊 赫连 澹台 皇甫 宗政 "
     "濮阳 公冶 太叔 申屠 公孙 慕容 仲孙 钟离 长孙 宇文 司徒 鲜于 司空 闾丘 子车 达奚 司寇 巫马 "
     "公西 颛孙 壤驷 公良 漆雕 乐正 宰父 谷梁 拓跋 拓跋 拓跋 夹谷 轩辕 令狐 段干 百里 呼延 东郭 "
     "南门 羊舌 微生 公户 公玉 公仪 梁丘 公仲 公上 公门 公山 公坚 左丘 公伯 西门 公祖 第五 公乘 "
     "贯丘 公皙 南荣 东里 东宫 仲长 子书 子桑 即墨 褚师"},
    {"maleCharTable", &maleCharTable, 130, 1,
     "国 正 天 心 顺 官 清 治 道 昌 真 元 芳 会 合 万 载 颂 名 扬 蔚 茂 应 培 本 金 玉 振 纪 纲 "
     "恩 荣 德 积 远 泮 泽 为 生 香 钧 冠 策 腾 伟 刚 勇 毅 俊 峰 强 军 平 保 东 文 辉 力 明 永 "
     "健 世 广 志 义 兴 良 海 山 仁 波 宁 贵 福 生 龙 元 全 国 胜 学 祥 才 发 成 康 星 光 涛 昌 "
     "进 林 有 坚 和 彪 博 诚 先 敬 震 振 壮 会 宏 言 若 鸣 朋 斌 梁 栋 维 启 克 伦 翔 旭 鹏 泽 "
     "晨 辰 士 以 建 家 致 树 炎 德"},
    {"femaleCharTable", &femaleCharTable, 130, 1,
     "筠 柔 竹 霭 凝 晓 欢 霄 枫 芸 菲 寒 伊 亚 宜 可 姬 舒 影 荔 枝 思 丽 秀 娟 英 华 慧 巧 美 "
     "娜 静 淑 惠 珠 翠 雅 芝 玉 萍 红 娥 玲 芬 芳 燕 彩 春 菊 勤 珍 贞 莉 兰 凤 洁 梅 琳 素 云 "
     "莲 真 环 雪 荣 爱 妹 霞 香 月 莺 媛 艳 瑞 凡 佳 嘉 琼 桂 娣 叶 璧 璐 娅 琦 晶 妍 茜 秋 珊 "
     "莎 锦 黛 青 倩 婷 姣 婉 娴 瑾 颖 露 瑶 怡 婵 雁 蓓 仪 纨 荷 丹 蓉 眉 君 琴 蕊 薇 菁 梦 岚 "
     "苑 婕 馨 瑗 韵 融 澜 艺 悦 昭"},
};

std::vector<std::string> splitRows(const char* text) {
    std::vector<std::string> rows;
    std::istringstream in(text);
    for (std::string row; in >> row;) {
        rows.push_back(row);
    }
    return rows;
}

// Row k (1-based) of a table, decoded from GBK.
std::string rowUtf8(const WordTable& table, std::size_t k) { return gbkToUtf8(table[k - 1]); }

}  // namespace

TEST(WordTables, EveryRowMatchesThePublishedTableInGbk) {
    for (const TableCase& c : tableCases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::string> expected = splitRows(c.expected);
        ASSERT_EQ(expected.size(), c.rows);
        ASSERT_EQ(c.table->size(), c.rows);
        for (std::size_t k = 1; k <= c.rows; ++k) {
            const std::string_view entry = (*c.table)[k - 1];
            EXPECT_EQ(entry.size(), 2 * c.charsPerEntry) << "row " << k;
            EXPECT_EQ(entry, utf8ToGbk(expected[k - 1])) << "row " << k;
            EXPECT_EQ(rowUtf8(*c.table, k), expected[k - 1]) << "row " << k;
            for (const unsigned char byte : entry) {
                EXPECT_GE(byte, 0x40) << "row " << k << " is not a double-byte GBK text";
            }
            EXPECT_GE(static_cast<unsigned char>(entry[0]), 0x81) << "row " << k;
        }
    }
}

TEST(WordTables, KnownBytesAndRepeatedRows) {
    EXPECT_EQ(hexBytes(raceTable[0]), "C8 CB");           // 人
    EXPECT_EQ(hexBytes(epithetTable[0]), "BB EC E3 E7");  // 混沌

    struct RowCase {
        const WordTable* table;
        std::size_t row;
        const char* text;
    };
    const RowCase rows[] = {
        {&raceTable, 1, "人"},
        {&raceTable, 11, "兽"},
        {&rankTable, 4, "祖"},
        {&epithetTable, 19, "轮回"},
        {&epithetTable, 26, "灭生"},
        {&weaponKindTable, 10, "剑"},
        {&weaponKindTable, 26, "锏"},
        {&techniqueKindTable, 1, "经"},
        {&techniqueKindTable, 4, "杀"},
        {&surnameTable, 1, "庞"},
        {&surnameTable, 33, "路"},
        {&surnameTable, 53, "路"},
        {&surnameTable, 62, "欧"},
        {&surnameTable, 93, "欧"},
        {&surnameTable, 68, "阳"},
        {&surnameTable, 94, "阳"},
        {&surnameTable, 110, "贾"},
        {&surnameTable, 3, "兰"},
        {&compoundSurnameTable, 1, "欧阳"},
        {&compoundSurnameTable, 45, "拓跋"},
        {&compoundSurnameTable, 46, "拓跋"},
        {&compoundSurnameTable, 47, "拓跋"},
        {&compoundSurnameTable, 82, "褚师"},
        {&maleCharTable, 1, "国"},
        {&maleCharTable, 79, "国"},
        {&maleCharTable, 130, "德"},
        {&maleCharTable, 33, "德"},
        {&femaleCharTable, 54, "兰"},
        {&femaleCharTable, 130, "昭"},
    };
    for (const RowCase& r : rows) {
        EXPECT_EQ(rowUtf8(*r.table, r.row), r.text) << "row " << r.row;
    }
}

TEST(WordTables, DistinctTextsAndRepeatsAreExactlyThePublishedOnes) {
    struct RepeatCase {
        const char* name;
        const WordTable* table;
        std::size_t distinct;
        const char* repeated;  // the texts that stand in more than one row
    };
    const RepeatCase cases[] = {
        {"race", &raceTable, 11, ""},
        {"rank", &rankTable, 4, ""},
        {"epithet", &epithetTable, 26, ""},
        {"weaponKind", &weaponKindTable, 26, ""},
        {"techniqueKind", &techniqueKindTable, 4, ""},
        {"surname", &surnameTable, 107, "路 欧 阳"},
        {"compoundSurname", &compoundSurnameTable, 80, "拓跋"},
        {"maleChar", &maleCharTable, 122, "国 昌 元 会 振 德 泽 生"},
        {"femaleChar", &femaleCharTable, 130, ""},
    };
    for (const RepeatCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> distinct;
        std::vector<std::string> repeated;
        for (const std::string_view entry : *c.table) {
            const std::string text = gbkToUtf8(entry);
            if (std::find(distinct.begin(), distinct.end(), text) == distinct.end()) {
                distinct.push_back(text);
            } else if (std::find(repeated.begin(), repeated.end(), text) == repeated.end()) {
                repeated.push_back(text);
            }
        }
        EXPECT_EQ(distinct.size(), c.distinct);
        std::vector<std::string> expected = splitRows(c.repeated);
        std::sort(expected.begin(), expected.end());
        std::sort(repeated.begin(), repeated.end());
        EXPECT_EQ(repeated, expected);
    }
}
