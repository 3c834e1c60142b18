// Printed lines: a long text written a mebibyte at a time, telling how much of it is written.

#include "core/Output.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr std::size_t mebibyte = std::size_t{1} << 20;

class PrintLine : public testing::Test {
protected:
    void SetUp() override { qm::setOutputStream(&printed); }
    void TearDown() override { qm::setOutputStream(nullptr); }

    // Prints `text` after "Output: ", noting each progress told and how much
    // of the line the stream held by then.
    void print(const std::string& text)
    {
        qm::printLine("Output: ", text, [this](std::size_t n) {
            progress.push_back(n);
            heldWhenTold.push_back(printed.str().size());
        });
    }

    std::ostringstream printed;
    std::vector<std::size_t> progress;
    std::vector<std::size_t> heldWhenTold;
};

// Letters that differ from one byte to the next, so that a part written
// twice, out of order or not at all shows.
std::string letters(std::size_t size)
{
    std::string text(size, ' ');
    for (std::size_t i = 0; i < size; ++i)
        text[i] = static_cast<char>('a' + i % 23);
    return text;
}

TEST_F(PrintLine, ALongTextIsWrittenAMebibyteAtATimeAndEachPartIsWrittenBeforeItIsTold)
{
    const std::string text = letters(2 * mebibyte + mebibyte / 2);
    print(text);
    EXPECT_TRUE(printed.str() == "Output: " + text + "\n");
    EXPECT_EQ(printed.str().size(), 8 + 2621440 + 1);
    EXPECT_EQ(progress, (std::vector<std::size_t>{1048576, 2097152, 2621440}));
    // The prefix and the text told of are in the stream when it is told.
    EXPECT_EQ(heldWhenTold, (std::vector<std::size_t>{8 + 1048576, 8 + 2097152, 8 + 2621440}));
}

TEST_F(PrintLine, ATextOfWholeMebibytesOrNoneEndsItsProgressWithItsLength)
{
    print(letters(mebibyte));
    EXPECT_EQ(progress, (std::vector<std::size_t>{1048576}));
    print(letters(mebibyte + 1));
    EXPECT_EQ(progress, (std::vector<std::size_t>{1048576, 1048576, 1048577}));
    EXPECT_TRUE(printed.str() == "Output: " + letters(mebibyte) + "\nOutput: " + letters(mebibyte + 1) + "\n");

    // No text: the prefix alone on its line, nothing written to tell of.
    printed.str("");
    progress.clear();
    print("");
    EXPECT_EQ(printed.str(), "Output: \n");
    EXPECT_TRUE(progress.empty());
    // A short text is one part.
    print("[]");
    EXPECT_EQ(printed.str(), "Output: \nOutput: []\n");
    EXPECT_EQ(progress, (std::vector<std::size_t>{2}));
}

} // namespace
