#include "cli/CliFeedback.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tillora::cli {
namespace {

// What the feedback wrote to its terminal stream, read back from a temporary file.
std::string Written(std::FILE* file) {
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        text += static_cast<char>(c);
    }
    return text;
}

class CliFeedbackTest : public ::testing::Test {
protected:
    void SetUp() override {
        in = std::tmpfile();
        out = std::tmpfile();
        ASSERT_NE(in, nullptr);
        ASSERT_NE(out, nullptr);
    }
    void TearDown() override {
        std::fclose(in);
        std::fclose(out);
    }

    std::FILE* in = nullptr;
    std::FILE* out = nullptr;
};

TEST_F(CliFeedbackTest, MessagesShowOnePlainLineEndPerLine) {
    CCliFeedback feedback(std::nullopt, in, out);
    feedback.ShowMessage(20004, "Първи ред!\r\nВтори ред!", MessageIcon::Question);
    EXPECT_EQ(Written(out), "Първи ред!\nВтори ред!\n");
    EXPECT_TRUE(feedback.ShowedMessage());
}

TEST_F(CliFeedbackTest, QuestionsTakeTheGivenAnswer) {
    CCliFeedback yes(true, in, out);
    EXPECT_TRUE(yes.AskYesNo(20004, "?", MessageIcon::Question, true));
    CCliFeedback no(false, in, out);
    EXPECT_FALSE(no.AskYesNo(20004, "?", MessageIcon::Question, false));
}

TEST_F(CliFeedbackTest, QuestionWithoutATerminalIsAnsweredNo) {
    // Even a "y" waiting on the input is not taken: nobody is there to have typed it.
    std::fputs("y\n", in);
    std::rewind(in);
    CCliFeedback feedback(std::nullopt, in, out);
    EXPECT_FALSE(feedback.AskYesNo(20004, "Сигурен(а) ли сте?", MessageIcon::Question, true));
    EXPECT_EQ(Written(out), "Сигурен(а) ли сте?\n[н]\n");
}

TEST_F(CliFeedbackTest, StatusTextIsKeptAndNotPrintedOffATerminal) {
    CCliFeedback feedback(std::nullopt, in, out);
    feedback.SetStatusText("Изпращане на ред номер 1");
    feedback.SetStatusText("1 реда изпратени успешно!");
    EXPECT_EQ(feedback.LastStatus(), "1 реда изпратени успешно!");
    EXPECT_EQ(Written(out), "");
}

} // namespace
} // namespace tillora::cli
