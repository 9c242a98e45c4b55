// Tests of the tagged data file readers ReadDataInt and ReadDataFloat: the file syntax, the
// conversions, the limits, every failure message and the blocks left behind.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "data/tagged_test_support.h"
#include "polvex/polvex.h"
#include "support/library_fixture.h"

namespace pvtest {
namespace {

// What one call of a reader gave: its result, the values, the messages shown, the change in
// live tracked blocks once the returned array is released, and whether a failing call left
// the output pointer alone.
template <typename Value>
struct TagRead {
    int32_t count = 0;
    std::vector<Value> values;
    std::vector<std::string> messages;
    int liveChange = 0;
    bool outputUntouched = true;
};

template <typename Value>
using Reader = int32_t (*)(Value **, const char *, const char *);

class TaggedFileTest : public LibraryTest {
protected:
    void SetUp() override { Open(); }

    template <typename Value>
    TagRead<Value> ReadFile(Reader<Value> reader, const std::string &fileName, const char *tag) {
        TagRead<Value> out;
        messages.clear();
        const int before = LiveBlocks();
        Value marker{};
        Value *data = &marker;
        out.count = reader(&data, fileName.c_str(), tag);
        if (out.count > 0) {
            out.values.assign(data, data + out.count);
            PvFree(data);
        } else {
            out.outputUntouched = data == &marker;
        }
        out.liveChange = LiveBlocks() - before;
        out.messages = messages.texts();
        return out;
    }

    TagRead<int32_t> Ints(const std::string &content, const char *tag = "ball") {
        DataFile file(content, ".txt");
        return ReadFile<int32_t>(&ReadDataInt, file.path(), tag);
    }
    TagRead<float> Floats(const std::string &content, const char *tag = "ball") {
        DataFile file(content, ".txt");
        return ReadFile<float>(&ReadDataFloat, file.path(), tag);
    }
};

struct SyntaxCase {
    const char *what;
    std::string content;
    std::vector<int32_t> values;
};

TEST_F(TaggedFileTest, FileSyntaxGivesTheTagsValuesInOrder) {
    const std::vector<SyntaxCase> cases = {
        {"comment on the marker line, value on the next", "*ball 1 2 ; comment\n3\n", {1, 2, 3}},
        {"indented marker", "  \t *ball\n5 6\n", {5, 6}},
        {"word after the marker reads as 0", "*ball word 4\n", {0, 4}},
        {"data to the end of the file", "*other 9\n*ball\n1\n2", {1, 2}},
        {"first of two equal tags", "*ball 1\n*ball 2\n", {1}},
        {"name compared exactly", "*Ball 1\n*ball2 2\n*ball 3\n*balls 4\n", {3}},
        {"next marker in mid-line ends the data", "*ball 1 2 *other 3\n4\n", {1, 2}},
        {"a comma is no separator", "*ball 1,2 3\n", {1, 3}},
        {"values after a comment line", "*ball\n; 5 6 7\n8\n", {8}},
        {"carriage returns before line ends", "*ball 1\r\n2\r\n*end\r\n", {1, 2}},
        {"marker 78 characters into a long line is a new line", "x" + std::string(78, ' ') + "*ball 7\n", {7}},
        {"skipped 78 characters at a time", "x" + std::string(78, ' ') + "q" + std::string(78, ' ') + "*ball 7\n", {7}},
        {"the line end within 78 characters ends the skip", "x" + std::string(76, ' ') + "\n*ball 7\n", {7}},
    };
    for (const SyntaxCase &c : cases) {
        const TagRead<int32_t> got = Ints(c.content);
        EXPECT_EQ(got.values, c.values) << c.what;
        EXPECT_EQ(got.count, static_cast<int32_t>(c.values.size())) << c.what;
        EXPECT_TRUE(got.messages.empty()) << c.what << ": " << (got.messages.empty() ? "" : got.messages[0]);
        EXPECT_EQ(got.liveChange, 0) << c.what;
    }
}

// A comment among the data is skipped to the end of its line, however long: its numbers are
// never read as values.
TEST_F(TaggedFileTest, LongCommentInsideTagIsSkippedToItsLineEnd) {
    std::string comment = ";";
    while (comment.size() < 200) comment += " 9";
    ASSERT_GE(comment.size(), 200u);
    const TagRead<int32_t> got = Ints("*ball 1 " + comment + "\n2 " + comment + comment + "\n3\n");
    EXPECT_EQ(got.values, (std::vector<int32_t>{1, 2, 3}));
    EXPECT_TRUE(got.messages.empty());
}

struct FailureCase {
    const char *what;
    std::string content;
    const char *tag;
    std::string message;  // {F} stands for the file name
};

TEST_F(TaggedFileTest, FailuresReportTheirMessageAndLeaveNothingAllocated) {
    const std::string longToken(80, '7');
    const std::string longName(100, 'a');
    const std::vector<FailureCase> cases = {
        {"marker last in the file", "*other 1\n*ball", "ball", "ファイル'{F}'のタグ'ball'のデータがありません。"},
        {"marker followed by a marker", "*ball\n*other 1\n", "ball", "ファイル'{F}'のタグ'ball'のデータがありません。"},
        {"only a comment", "*ball ; 1 2\n", "ball", "ファイル'{F}'のタグ'ball'のデータがありません。"},
        {"other case", "*Ball 1\n", "ball", "ファイル'{F}'にタグ'ball'が見つかりません。"},
        {"marker behind another token", "x *ball 1\n", "ball", "ファイル'{F}'にタグ'ball'が見つかりません。"},
        {"marker 77 characters into a line", "x" + std::string(77, ' ') + "*ball 7\n", "ball",
         "ファイル'{F}'にタグ'ball'が見つかりません。"},
        {"second chunk ends inside the marker", "x" + std::string(78, ' ') + "q" + std::string(77, ' ') + "*ball 7\n",
         "ball", "ファイル'{F}'にタグ'ball'が見つかりません。"},
        {"empty file", "", "ball", "ファイル'{F}'にタグ'ball'が見つかりません。"},
        {"marker longer than 79 characters", "*" + longName + " 1\n", longName.c_str(),
         "ファイル'{F}'にタグ'" + longName + "'が見つかりません。"},
        {"value longer than 79 characters", "*ball 1 " + longToken + " 2\n", "ball",
         "ファイル'{F}'のタグ'ball'のデータに\n79文字を越える語があります。"},
    };
    for (const FailureCase &c : cases) {
        DataFile file(c.content, ".txt");
        const TagRead<int32_t> ints = ReadFile<int32_t>(&ReadDataInt, file.path(), c.tag);
        const TagRead<float> floats = ReadFile<float>(&ReadDataFloat, file.path(), c.tag);
        const std::vector<std::string> expected = {WithFile(c.message, file.path())};
        EXPECT_EQ(ints.count, 0) << c.what;
        EXPECT_EQ(ints.messages, expected) << c.what;
        EXPECT_TRUE(ints.outputUntouched) << c.what;
        EXPECT_EQ(ints.liveChange, 0) << c.what;
        EXPECT_EQ(floats.count, 0) << c.what;
        EXPECT_EQ(floats.messages, expected) << c.what;
        EXPECT_TRUE(floats.outputUntouched) << c.what;
        EXPECT_EQ(floats.liveChange, 0) << c.what;
    }
}

TEST_F(TaggedFileTest, MissingFileCannotBeOpened) {
    const TagRead<int32_t> got = ReadFile<int32_t>(&ReadDataInt, "no_such_file.txt", "ball");
    EXPECT_EQ(got.count, 0);
    EXPECT_EQ(got.messages, std::vector<std::string>{"ファイル'no_such_file.txt'がオープンできません。"});
    EXPECT_TRUE(got.outputUntouched);
    EXPECT_EQ(got.liveChange, 0);
    ASSERT_EQ(messages.boxes().size(), 1u);
    EXPECT_EQ(messages.boxes()[0].owner, nullptr);
    EXPECT_EQ(messages.boxes()[0].caption, "POLVEX");
    EXPECT_EQ(messages.boxes()[0].type & MB_ICONWARNING, static_cast<UINT>(MB_ICONWARNING));
}

std::string Numbers(int count) {
    std::string text = "*ball\n";
    for (int i = 1; i <= count; ++i) text += std::to_string(i) + (i % 20 == 0 ? "\n" : " ");
    return text + "*end\n";
}

TEST_F(TaggedFileTest, HoldsAtMost16000Values) {
    const TagRead<int32_t> full = Ints(Numbers(16000));
    ASSERT_EQ(full.count, 16000);
    EXPECT_EQ(full.values.front(), 1);
    EXPECT_EQ(full.values[7999], 8000);
    EXPECT_EQ(full.values.back(), 16000);
    EXPECT_TRUE(full.messages.empty());
    EXPECT_EQ(full.liveChange, 0);

    DataFile file(Numbers(16001), ".txt");
    const TagRead<float> over = ReadFile<float>(&ReadDataFloat, file.path(), "ball");
    EXPECT_EQ(over.count, 0);
    EXPECT_EQ(over.messages,
              std::vector<std::string>{"ファイル'" + file.path() + "'のタグ'ball'のデータが\n最大データ数 16000 を越えています。"});
    EXPECT_TRUE(over.outputUntouched);
    EXPECT_EQ(over.liveChange, 0);
}

TEST_F(TaggedFileTest, IntegersAreTheLeadingDecimalInteger) {
    const TagRead<int32_t> got = Ints("*ball -7 +3 2.9 abc 12abc 1.9 - +-3 007 1e3 2147483647 99999999999 -99999999999\n");
    const std::vector<int32_t> expected = {-7, 3, 2, 0, 12, 1, 0, 0, 7, 1, std::numeric_limits<int32_t>::max(),
                                           std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()};
    EXPECT_EQ(got.values, expected);
}

TEST_F(TaggedFileTest, FloatsAreTheLeadingDecimalNumber) {
    const TagRead<float> got =
        Floats("*ball 2.5e1 -0.5 .5 3. 1e 1e+2x 7.25abc abc inf nan 0x10 . -. 1e39 -1e39 1e-50 0.1\n");
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<float> expected = {25.0f, -0.5f, 0.5f, 3.0f, 1.0f, 100.0f, 7.25f, 0.0f, 0.0f,
                                         0.0f,  0.0f,  0.0f, 0.0f, inf,  -inf,   0.0f,  0.1f};
    EXPECT_EQ(got.values, expected);
}

// Allocations counted from the call: the work array, then the result array.
TEST_F(TaggedFileTest, RefusedAllocationFailsWithoutWritingTheOutput) {
    DataFile file("*ball 1 2 3\n", ".txt");
    for (int refused : {1, 2}) {
        FailingHeap heap(refused);
        const TagRead<float> got = ReadFile<float>(&ReadDataFloat, file.path(), "ball");
        EXPECT_TRUE(FailingHeap::Refused()) << refused;
        EXPECT_EQ(got.count, 0) << refused;
        EXPECT_EQ(got.messages, std::vector<std::string>{"メモリが足りません。"}) << refused;
        EXPECT_TRUE(got.outputUntouched) << refused;
        EXPECT_EQ(got.liveChange, 0) << refused;
    }
}

// Names too long for the 256-byte message buffer are shortened, so the explanation itself is
// shown whole: the file keeps its end, the tag its start, and no character is cut in half.
TEST_F(TaggedFileTest, LongNamesAreShortenedToFitTheMessage) {
    std::string missing;
    for (int i = 0; i < 40; ++i) missing += "./";
    missing += std::string(200, 'd') + "_missing.txt";
    const TagRead<int32_t> open = ReadFile<int32_t>(&ReadDataInt, missing, "ball");
    ASSERT_EQ(open.messages.size(), 1u);
    const std::string &openText = open.messages[0];
    EXPECT_LE(openText.size(), 255u);
    EXPECT_EQ(openText.rfind("ファイル'...", 0), 0u) << openText;
    EXPECT_NE(openText.find("ddd_missing.txt'がオープンできません。"), std::string::npos) << openText;

    std::string tag;
    for (int i = 0; i < 100; ++i) tag += "タグ";
    DataFile file("*ball 1\n", ".txt");
    const TagRead<int32_t> search = ReadFile<int32_t>(&ReadDataInt, file.path(), tag.c_str());
    ASSERT_EQ(search.messages.size(), 1u);
    const std::string &searchText = search.messages[0];
    EXPECT_LE(searchText.size(), 255u);
    EXPECT_TRUE(IsWholeUtf8(searchText)) << searchText;
    EXPECT_EQ(searchText.rfind("ファイル'" + file.path() + "'にタグ'タグタグ", 0), 0u) << searchText;
    EXPECT_NE(searchText.find("...'が見つかりません。"), std::string::npos) << searchText;
    EXPECT_EQ(search.liveChange, 0);
}

TEST_F(TaggedFileTest, NullArgumentsAreRefused) {
    DataFile file("*ball 1\n", ".txt");
    int32_t *ints = nullptr;
    float *floats = nullptr;
    messages.clear();
    EXPECT_EQ(ReadDataInt(nullptr, file.name(), "ball"), 0);
    EXPECT_EQ(ReadDataInt(&ints, nullptr, "ball"), 0);
    EXPECT_EQ(ReadDataFloat(&floats, file.name(), nullptr), 0);
    EXPECT_EQ(ints, nullptr);
    EXPECT_EQ(floats, nullptr);
    const std::vector<std::string> expected = {"ReadDataInt()の呼び出しで、\n引数にNULLが渡されました。",
                                               "ReadDataInt()の呼び出しで、\n引数にNULLが渡されました。",
                                               "ReadDataFloat()の呼び出しで、\n引数にNULLが渡されました。"};
    EXPECT_EQ(messages.texts(), expected);
}

}  // namespace
}  // namespace pvtest
