#include "logo/LogoSend.h"
#include "BitmapWriter.h"
#include "BorrowedLine.h"
#include "FakeClock.h"
#include "Frames.h"
#include "RecordingFeedback.h"
#include "ScriptedLine.h"
#include "TempFolder.h"
#include "link/EcrIniFile.h"
#include "link/FileReplace.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "sim/SimRegister.h"
#include "sim/SimulatedLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace tillora {
namespace {

using test::BitmapShape;
using ::testing::ElementsAre;

std::vector<unsigned> QuestionIds(const test::RecordingFeedback& feedback) {
    std::vector<unsigned> result;
    for (const auto& q : feedback.questions) {
        result.push_back(q.id);
    }
    return result;
}

const std::vector<std::uint8_t> LogoHead = test::Bytes("\xAA"
                                                       "000123R");

// A logo send over a scripted line that the test keeps, counting how often it is opened.
class LogoSendTest : public ::testing::Test {
protected:
    LogoSendTest() {
        settings.EcrSerial = 123;
        choice.demoLine = [this]() -> std::unique_ptr<ISerialLine> {
            ++opened;
            return std::make_unique<test::BorrowedLine>(line, closes);
        };
    }

    // Writes the file, loads it as the current picture and returns its bytes.
    std::vector<std::uint8_t> LoadPicture(const BitmapShape& shape) {
        const auto path = folder.Path() / "logo.bmp";
        auto bytes = test::WriteBitmap(path, shape);
        EXPECT_TRUE(picture.Load(PathToUtf8(path), ini));
        return bytes;
    }

    void AckLater() { line.ArriveAt(clock.NowMs() + 20, test::AckFrame("000123")); }

    bool Send() {
        TransferSession session{choice, clock, feedback, settings, 0, {}};
        return SendLogo(picture, ini, session, [this](int value) { progress.push_back(value); });
    }

    // Everything written after the head.
    std::vector<std::uint8_t> Body() const {
        auto all = line.AllWritten();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(8, all.size())),
                all.end()};
    }

    test::TempFolder folder{"tillora-logo-send"};
    EcrIniFile ini{PathToUtf8(folder.Path() / "tillora.ini")};
    CurrentPicture picture;
    test::FakeClock clock;
    test::ScriptedLine line{clock};
    test::RecordingFeedback feedback;
    test::RecordingFeedback& recorded = feedback;
    EcrSettings settings;
    LineChoice choice;
    int opened = 0;
    int closes = 0;
    std::vector<int> progress;
};

TEST_F(LogoSendTest, MonochromePictureGoesInHundredPiecesAndRemainder) {
    const auto file = LoadPicture(BitmapShape{224, 80, 1});
    ASSERT_EQ(file.size(), 2302u);
    AckLater();

    EXPECT_TRUE(Send());

    const auto& writes = line.Writes();
    ASSERT_EQ(writes.size(), 102u);
    EXPECT_EQ(writes[0].bytes, LogoHead);
    for (std::size_t i = 1; i <= 100; ++i) {
        EXPECT_EQ(writes[i].bytes.size(), 23u) << i;
    }
    EXPECT_EQ(writes[101].bytes.size(), 2u);
    EXPECT_EQ(Body(), file);
    EXPECT_TRUE(recorded.questions.empty());
    EXPECT_TRUE(recorded.messages.empty());
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(line.Drains(), 1u);
}

TEST_F(LogoSendTest, ProgressRunsFromZeroThroughFiveTo105) {
    LoadPicture(BitmapShape{224, 80, 1});
    AckLater();
    ASSERT_TRUE(Send());
    ASSERT_EQ(progress.size(), 103u); // 0, 5, one per piece
    EXPECT_EQ(progress[0], 0);
    EXPECT_EQ(progress[1], 5);
    for (std::size_t i = 2; i <= 101; ++i) {
        EXPECT_EQ(progress[i], static_cast<int>(i) + 4) << i;
    }
    EXPECT_EQ(progress.back(), 105);
    EXPECT_EQ(*std::max_element(progress.begin(), progress.end()), 105);
}

TEST_F(LogoSendTest, StaleInputIsDrainedBeforeTheHead) {
    const auto file = LoadPicture(BitmapShape{224, 80, 1});
    line.Queue(test::Bytes("\x15"
                           "000123xx\n"));
    AckLater();
    EXPECT_TRUE(Send());
    EXPECT_TRUE(recorded.messages.empty());
}

TEST_F(LogoSendTest, SmallFileGoesWhole) {
    const auto file = LoadPicture(BitmapShape{8, 8, 1});
    ASSERT_LT(file.size(), 100u);
    AckLater();
    EXPECT_TRUE(Send());
    ASSERT_EQ(line.Writes().size(), 2u);
    EXPECT_EQ(line.Writes()[1].bytes, file);
    EXPECT_THAT(progress, ElementsAre(0, 5, 105));
}

TEST_F(LogoSendTest, FileOfExactly4096BytesAsksNothing) {
    BitmapShape shape{224, 80, 1};
    shape.trailing = 4096 - test::BitmapFileSize(shape);
    const auto file = LoadPicture(shape);
    ASSERT_EQ(file.size(), 4096u);
    AckLater();
    EXPECT_TRUE(Send());
    EXPECT_TRUE(recorded.questions.empty());
    EXPECT_EQ(Body(), file);
    // Pieces of 4096 / 100 = 40 bytes: 102 of them and one of 16; the bar stops at 105.
    ASSERT_EQ(line.Writes().size(), 104u);
    EXPECT_EQ(line.Writes()[102].bytes.size(), 40u);
    EXPECT_EQ(line.Writes()[103].bytes.size(), 16u);
    EXPECT_EQ(progress.size(), 105u);
    EXPECT_EQ(progress.back(), 105);
    EXPECT_EQ(*std::max_element(progress.begin(), progress.end()), 105);
}

TEST_F(LogoSendTest, OneByteMoreAsksTheSizeQuestion) {
    BitmapShape shape{224, 80, 1};
    shape.trailing = 4097 - test::BitmapFileSize(shape);
    const auto file = LoadPicture(shape);
    recorded.answer = true;
    AckLater();
    EXPECT_TRUE(Send());
    EXPECT_THAT(QuestionIds(recorded), ElementsAre(ids::ConfirmPictureTooLarge));
    EXPECT_THAT(feedback.QuestionIcons(), ElementsAre(MessageIcon::Information));
    EXPECT_EQ(recorded.questions[0].text, LoadString(ids::ConfirmPictureTooLarge));
    EXPECT_EQ(Body(), file);
}

TEST_F(LogoSendTest, SizeQuestionAnsweredNoNeverOpensTheLine) {
    BitmapShape shape{224, 80, 1};
    shape.trailing = 4097 - test::BitmapFileSize(shape);
    LoadPicture(shape);
    recorded.answer = false;
    EXPECT_FALSE(Send());
    EXPECT_THAT(QuestionIds(recorded), ElementsAre(ids::ConfirmPictureTooLarge));
    EXPECT_EQ(opened, 0);
    EXPECT_TRUE(line.Writes().empty());
    EXPECT_TRUE(recorded.messages.empty());
    EXPECT_THAT(progress, ElementsAre(0));
}

TEST_F(LogoSendTest, ColourPictureAsksFirstAndNoSendsNothing) {
    LoadPicture(BitmapShape{16, 16, 24});
    recorded.answer = false;
    EXPECT_FALSE(Send());
    EXPECT_THAT(QuestionIds(recorded), ElementsAre(ids::ConfirmTooManyColours));
    EXPECT_THAT(feedback.QuestionIcons(), ElementsAre(MessageIcon::Question));
    EXPECT_EQ(recorded.questions[0].text, LoadString(ids::ConfirmTooManyColours));
    EXPECT_EQ(opened, 0);
    EXPECT_TRUE(line.Writes().empty());
    EXPECT_EQ(line.Drains(), 0u);
}

TEST_F(LogoSendTest, ColourPictureAcceptedIsSent) {
    const auto file = LoadPicture(BitmapShape{16, 16, 24});
    recorded.answer = true;
    AckLater();
    EXPECT_TRUE(Send());
    EXPECT_THAT(QuestionIds(recorded), ElementsAre(ids::ConfirmTooManyColours));
    EXPECT_EQ(Body(), file);
}

TEST_F(LogoSendTest, LargeColourPictureAsksBothInOrder) {
    LoadPicture(BitmapShape{224, 80, 24});
    recorded.answer = true;
    AckLater();
    EXPECT_TRUE(Send());
    EXPECT_THAT(QuestionIds(recorded),
                ElementsAre(ids::ConfirmTooManyColours, ids::ConfirmPictureTooLarge));
}

TEST_F(LogoSendTest, NoPictureAsksToChooseAFile) {
    EXPECT_FALSE(picture.Load(PathToUtf8(folder.Path() / "none.bmp"), ini));
    EXPECT_FALSE(Send());
    EXPECT_THAT(recorded.Ids(), ElementsAre(ids::ChooseFile));
    EXPECT_EQ(recorded.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(opened, 0);
}

TEST_F(LogoSendTest, BuiltInPictureCannotBeSent) {
    ASSERT_TRUE(picture.Load("", ini));
    EXPECT_FALSE(Send());
    EXPECT_THAT(recorded.Ids(), ElementsAre(ids::ChooseFile));
    EXPECT_EQ(opened, 0);
}

TEST_F(LogoSendTest, FailedLoadAfterAColourPictureStillAsksTheColourQuestion) {
    LoadPicture(BitmapShape{16, 16, 24});
    EXPECT_FALSE(picture.Load(PathToUtf8(folder.Path() / "none.bmp"), ini));
    recorded.answer = true;
    EXPECT_FALSE(Send());
    EXPECT_THAT(QuestionIds(recorded), ElementsAre(ids::ConfirmTooManyColours));
    EXPECT_THAT(recorded.Ids(), ElementsAre(ids::ChooseFile));
}

TEST_F(LogoSendTest, TheIniNotThePictureNamesTheFile) {
    LoadPicture(BitmapShape{8, 8, 1});
    const auto other = folder.Path() / "other.bmp";
    const auto otherBytes = test::WriteBitmap(other, BitmapShape{224, 80, 1});
    ini.WriteString("logoman", "image", PathToUtf8(other));
    AckLater();
    EXPECT_TRUE(Send());
    EXPECT_EQ(Body(), otherBytes);

    ini.WriteString("logoman", "image", "");
    EXPECT_FALSE(Send());
    EXPECT_THAT(recorded.Ids(), ElementsAre(ids::ChooseFile));
}

TEST_F(LogoSendTest, APictureTheIniFileCouldNotTakeIsNotSent) {
    EcrIniFile unwritable(PathToUtf8(folder.Path() / "missing-folder" / "tillora.ini"));
    const auto path = folder.Path() / "logo.bmp";
    test::WriteBitmap(path, BitmapShape{8, 8, 1});
    ASSERT_TRUE(picture.Load(PathToUtf8(path), unwritable));
    EXPECT_FALSE(Send()); // not "choose a file": one was chosen
    ini.WriteString("logoman", "image", PathToUtf8(path)); // nor where a path is remembered
    EXPECT_FALSE(Send());
    EXPECT_THAT(recorded.Ids(), ElementsAre(ids::SettingsNotWritten, ids::SettingsNotWritten));
    EXPECT_EQ(opened, 0);
}

TEST_F(LogoSendTest, FileGoneSinceLoadingShowsItsPath) {
    LoadPicture(BitmapShape{8, 8, 1});
    const std::string path = PathToUtf8(folder.Path() / "logo.bmp");
    std::filesystem::remove(Utf8Path(path));
    EXPECT_FALSE(Send());
    EXPECT_THAT(recorded.Ids(), ElementsAre(ids::FileNotOpenedForReading));
    EXPECT_EQ(recorded.messages[0].text, FormatMessage(ids::FileNotOpenedForReading, path.c_str()));
    EXPECT_EQ(opened, 0);
}

TEST_F(LogoSendTest, PortThatCannotBeOpenedIsReportedOnce) {
    LoadPicture(BitmapShape{8, 8, 1});
    settings.EcrCom = 2;
    choice.comIndex = 2;
    choice.demoLine = [this]() -> std::unique_ptr<ISerialLine> {
        ++opened;
        return nullptr;
    };
    EXPECT_FALSE(Send());
    EXPECT_THAT(recorded.Ids(), ElementsAre(ids::PortNotOpened));
    EXPECT_EQ(recorded.messages[0].text, FormatMessage(ids::PortNotOpened, 3));
    EXPECT_EQ(opened, 1);
}

TEST_F(LogoSendTest, FailedHeadWriteShowsOnceAndSendsNoPicture) {
    LoadPicture(BitmapShape{224, 80, 1});
    line.FailWrite(1);
    EXPECT_FALSE(Send());
    EXPECT_THAT(recorded.Ids(), ElementsAre(ids::WriteFailed));
    EXPECT_EQ(line.Writes().size(), 1u);
    EXPECT_EQ(closes, 1);
    EXPECT_THAT(progress, ElementsAre(0));
}

TEST_F(LogoSendTest, FailedPieceWriteEndsTheSend) {
    LoadPicture(BitmapShape{224, 80, 1});
    line.FailWrite(10);
    AckLater();
    EXPECT_FALSE(Send());
    EXPECT_THAT(recorded.Ids(), ElementsAre(ids::WriteFailed));
    EXPECT_EQ(line.Writes().size(), 10u);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(progress.back(), 13);
}

TEST_F(LogoSendTest, RefusalIsShownOnce) {
    LoadPicture(BitmapShape{224, 80, 1});
    line.ArriveAt(clock.NowMs() + 20, test::Answer(0x15, "000123"));
    EXPECT_FALSE(Send());
    EXPECT_THAT(recorded.Ids(), ElementsAre(ids::RegisterRefused));
    EXPECT_EQ(line.Writes().size(), 102u);
    EXPECT_EQ(closes, 1);
}

TEST_F(LogoSendTest, SilenceIsShownOnce) {
    LoadPicture(BitmapShape{224, 80, 1});
    EXPECT_FALSE(Send());
    EXPECT_THAT(recorded.Ids(), ElementsAre(ids::AnswerTimeout));
    EXPECT_EQ(closes, 1);
}

TEST_F(LogoSendTest, SimulatedRegisterKeepsTheFile) {
    auto ecr = std::make_shared<sim::CSimRegister>(0, 123);
    choice.demoLine = [this, ecr]() -> std::unique_ptr<ISerialLine> {
        ++opened;
        return std::make_unique<sim::CSimulatedLine>(ecr, clock);
    };
    const auto file = LoadPicture(BitmapShape{224, 80, 1});
    EXPECT_TRUE(Send());
    EXPECT_TRUE(recorded.messages.empty());
    EXPECT_EQ(ecr->Logo(), file);
    EXPECT_EQ(ecr->LogosReceived(), 1u);

    const auto small = LoadPicture(BitmapShape{8, 8, 1});
    EXPECT_TRUE(Send());
    EXPECT_EQ(ecr->Logo(), small);
    EXPECT_EQ(ecr->LogosReceived(), 2u);
    EXPECT_TRUE(recorded.messages.empty());
}

} // namespace
} // namespace tillora
