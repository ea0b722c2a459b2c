#include "sim/SimRegister.h"
#include "Frames.h"
#include "link/Checksum.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tillora::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Of(const std::string& text) {
    return {text.begin(), text.end()};
}

// A frame of the PC: start byte, serial, kind, payload, checksum, line feed.
Bytes PcFrame(char kind, const std::string& payload = "", const std::string& serial = "000123") {
    std::string frame = "\xAA" + serial + kind + payload;
    AppendChecksum(frame);
    return Of(frame);
}

Bytes InfoQuery() {
    return {0xAA, 0x3F, 0x39, 0x35, 0x0A};
}

Bytes PcAck(const std::string& serial = "000123") {
    return test::Answer(0x06, serial);
}

Bytes Ack(const std::string& serial = "000123") {
    return test::AckFrame(serial);
}

Bytes Refusal(const std::string& serial = "000123") {
    return test::Answer(0x15, serial);
}

// A bitmap file of the given length whose pixel bytes include the link's special bytes.
Bytes BitmapFile(std::uint32_t length) {
    Bytes file(length, 0x0A);
    file[0] = 'B';
    file[1] = 'M';
    for (int i = 0; i < 4; ++i) {
        file[2 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    }
    for (std::size_t i = 14; i < length; i += 3) {
        file[i] = 0xAA;
    }
    return file;
}

Bytes LogoFrame(const Bytes& file, const std::string& serial = "000123") {
    Bytes frame = Of("\xAA" + serial + "R");
    frame.insert(frame.end(), file.begin(), file.end());
    return frame;
}

Bytes Join(const std::vector<Bytes>& parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// Everything the answers put on the line, in order.
Bytes Sent(const std::vector<SimAnswer>& answers) {
    Bytes all;
    for (const SimAnswer& answer : answers) {
        all.insert(all.end(), answer.bytes.begin(), answer.bytes.end());
    }
    return all;
}

std::vector<SimAnswer> Feed(CSimRegister& ecr, const Bytes& bytes) {
    return ecr.Receive(bytes.data(), bytes.size());
}

Bytes Exchange(CSimRegister& ecr, const Bytes& bytes) {
    return Sent(Feed(ecr, bytes));
}

bool ChecksumHolds(const Bytes& frame) {
    const std::size_t n = frame.size();
    return XorBytes(frame.data(), n - 3) == DecodeChecksum(frame[n - 3], frame[n - 2]);
}

TEST(SimRegisterTest, WorkedExampleCommandIsAcknowledgedExactly) {
    CSimRegister ecr(0, 123);
    const Bytes command{0xAA, 0x30, 0x30, 0x30, 0x31, 0x32, 0x33, 0x61, 0x3C, 0x3B, 0x0A};
    const auto answers = Feed(ecr, command);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].bytes,
              (Bytes{0x06, 0x30, 0x30, 0x30, 0x31, 0x32, 0x33, 0x30, 0x36, 0x0A}));
    EXPECT_EQ(answers[0].delayMs, 0u);
    EXPECT_FALSE(answers[0].closeLine);
    ASSERT_EQ(ecr.Frames().size(), 1u);
    EXPECT_EQ(ecr.Frames()[0], command);
    EXPECT_EQ(ecr.Replies()[0], SimReply::Ack);
}

TEST(SimRegisterTest, BytesBeforeTheStartByteAreDropped) {
    CSimRegister ecr(0, 123);
    EXPECT_EQ(Exchange(ecr, Join({Of("xy\n\x06"), PcFrame('a')})), Ack());
    EXPECT_EQ(ecr.Frames().size(), 1u);
}

TEST(SimRegisterTest, BadFramesAreRefusedWithTenBytes) {
    Bytes missingLineFeed = PcFrame('a');
    missingLineFeed.back() = 0x0B;
    Bytes badChecksum = PcFrame('a');
    badChecksum[9] ^= 0x01;
    Bytes badRecordChecksum = PcFrame('r', "0001NAME");
    badRecordChecksum[8] = '2';
    const std::pair<const char*, Bytes> cases[] = {
        {"another serial", PcFrame('a', "", "000124")},
        {"bad checksum", badChecksum},
        {"bad record checksum", badRecordChecksum},
        {"missing line feed", missingLineFeed},
        {"unknown kind", PcFrame('q', "1")},
        {"too short", Of("\xAA"
                         "0001\n")},
        {"bad query checksum", Bytes{0xAA, 0x3F, 0x39, 0x36, 0x0A}},
        {"query without line feed", Bytes{0xAA, 0x3F, 0x39, 0x35, 0x0B}},
    };
    for (const auto& [name, frame] : cases) {
        CSimRegister ecr(0, 123);
        Feed(ecr, PcFrame('a'));
        const auto answers = Feed(ecr, frame);
        ASSERT_EQ(answers.size(), 1u) << name;
        EXPECT_EQ(answers[0].bytes, Refusal()) << name;
        EXPECT_EQ(ecr.Replies().back(), SimReply::Nak) << name;
        EXPECT_TRUE(ecr.Records('r').empty()) << name;
        // The next good frame is taken as usual.
        EXPECT_EQ(Exchange(ecr, PcFrame('w', "1HEADER")), Ack()) << name;
    }
}

TEST(SimRegisterTest, RecordsAndEndOutsideATransferAreRefused) {
    CSimRegister ecr(0, 123);
    EXPECT_EQ(Exchange(ecr, PcFrame('r', "0001A")), Refusal());
    EXPECT_EQ(Exchange(ecr, PcFrame('z')), Refusal());
    EXPECT_TRUE(ecr.Records('r').empty());
    // The report command needs no transfer: acknowledged, then the report follows.
    const auto answers = Feed(ecr, PcFrame('f'));
    ASSERT_FALSE(answers.empty());
    EXPECT_EQ(answers[0].bytes, Ack());
}

TEST(SimRegisterTest, TransferKeepsRecordsAndConfirmsWithTheirCounts) {
    CSimRegister ecr(0, 123);
    EXPECT_EQ(Exchange(ecr, PcFrame('a')), Ack());
    EXPECT_EQ(Exchange(ecr, PcFrame('r', "0001HLYAB\x22\x22\x22")), Ack());
    EXPECT_EQ(Exchange(ecr, PcFrame('r', "0002MLQKO")), Ack());
    EXPECT_EQ(Exchange(ecr, PcFrame('o', "1IVAN")), Ack());
    EXPECT_EQ(Exchange(ecr, PcFrame('y', "0FOOD")), Ack());
    EXPECT_EQ(Exchange(ecr, PcFrame('w', "1SHOP")), Ack());

    const auto answers = Feed(ecr, PcFrame('z'));
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0].bytes, Ack());
    const Bytes& confirmation = answers[1].bytes;
    ASSERT_EQ(confirmation.size(), 23u);
    EXPECT_EQ(confirmation[0], 0xAA);
    EXPECT_EQ(std::string(confirmation.begin() + 1, confirmation.begin() + 8), "000123c");
    EXPECT_EQ(std::string(confirmation.begin() + 8, confirmation.begin() + 20), "000002010101");
    EXPECT_TRUE(ChecksumHolds(confirmation));
    EXPECT_EQ(confirmation[22], 0x0A);

    EXPECT_FALSE(ecr.ConfirmationAcknowledged());
    EXPECT_TRUE(Feed(ecr, PcAck()).empty());
    EXPECT_TRUE(ecr.ConfirmationAcknowledged());
    EXPECT_EQ(ecr.Replies().back(), SimReply::None);
    EXPECT_EQ(ecr.Frames().back(), PcAck());

    EXPECT_EQ(ecr.Records('r'), (std::vector<std::string>{"0001HLYAB\x22\x22\x22", "0002MLQKO"}));
    EXPECT_EQ(ecr.Records('o'), (std::vector<std::string>{"1IVAN"}));
    EXPECT_EQ(ecr.Records('y'), (std::vector<std::string>{"0FOOD"}));
    EXPECT_EQ(ecr.Records('w'), (std::vector<std::string>{"1SHOP"}));
    // The transfer is closed: a further record is refused.
    EXPECT_EQ(Exchange(ecr, PcFrame('r', "0003X")), Refusal());
}

TEST(SimRegisterTest, ConfirmationCountsOnlyTheCurrentTransfer) {
    CSimRegister ecr(0, 123);
    Feed(ecr, Join({PcFrame('a'), PcFrame('o', "1A"), PcFrame('z'), PcAck()}));
    const auto answers = Feed(ecr, Join({PcFrame('a'), PcFrame('w', "1B"), PcFrame('z')}));
    ASSERT_EQ(answers.size(), 4u);
    EXPECT_EQ(std::string(answers[3].bytes.begin() + 8, answers[3].bytes.begin() + 20),
              "000000000001");
    EXPECT_EQ(ecr.Records('o').size(), 1u);
}

TEST(SimRegisterTest, WrongAcknowledgementOfTheConfirmationIsTakenButNotAccepted) {
    Bytes badChecksum = PcAck();
    badChecksum[8] ^= 0x01;
    for (const Bytes& ack : {PcAck("000124"), badChecksum}) {
        CSimRegister ecr(0, 123);
        Feed(ecr, Join({PcFrame('a'), PcFrame('z')}));
        EXPECT_TRUE(Feed(ecr, ack).empty());
        EXPECT_FALSE(ecr.ConfirmationAcknowledged());
        EXPECT_EQ(ecr.Frames().size(), 3u);
    }
}

TEST(SimRegisterTest, AcknowledgementByteOutsideAConfirmationIsNoise) {
    CSimRegister ecr(0, 123);
    EXPECT_TRUE(Feed(ecr, PcAck()).empty());
    EXPECT_TRUE(ecr.Frames().empty());
}

TEST(SimRegisterTest, PiecesOfAnySizeGiveTheSameAnswers) {
    const Bytes session =
        Join({Of("noise"), PcFrame('a'), PcFrame('r', "0001ABC"), PcFrame('r', "0002", "000999"),
              PcFrame('z'), PcAck(), InfoQuery(), LogoFrame(BitmapFile(40)), PcFrame('f')});
    CSimRegister whole(0, 123);
    const Bytes expected = Exchange(whole, session);
    for (std::size_t piece : {1u, 2u, 7u, 64u}) {
        CSimRegister ecr(0, 123);
        Bytes sent;
        for (std::size_t i = 0; i < session.size(); i += piece) {
            const std::size_t n = std::min(piece, session.size() - i);
            const Bytes answers = Sent(ecr.Receive(session.data() + i, n));
            sent.insert(sent.end(), answers.begin(), answers.end());
        }
        EXPECT_EQ(sent, expected) << piece;
        EXPECT_EQ(ecr.Frames(), whole.Frames()) << piece;
        EXPECT_EQ(ecr.Records('r'), whole.Records('r')) << piece;
        EXPECT_EQ(ecr.Logo(), whole.Logo()) << piece;
    }
    EXPECT_EQ(whole.Frames().size(), 8u);
    EXPECT_EQ(whole.Records('r'), (std::vector<std::string>{"0001ABC"}));
}

TEST(SimRegisterTest, InformationQueryIsAnsweredWithTheChosenFirstByte) {
    CSimRegister ecr(0, 123);
    EXPECT_EQ(Exchange(ecr, InfoQuery()),
              (Bytes{0x06, '0', '0', '0', '1', '2', '3', '0', '6', 0x0A}));
    EXPECT_EQ(ecr.Replies().back(), SimReply::Info);
    SimFaults faults;
    faults.infoAnswerByte = 0x0E;
    CSimRegister other(0, 4711, faults);
    const Bytes answer = Exchange(other, InfoQuery());
    EXPECT_EQ(answer, test::Answer(0x0E, "004711"));
    EXPECT_EQ(answer[0], 0x0E);
    // The first byte counts in the checksum as sent.
    EXPECT_TRUE(ChecksumHolds(answer));
}

TEST(SimRegisterTest, LogoIsAcknowledgedAfterTheWholeFile) {
    CSimRegister ecr(0, 123);
    const Bytes file = BitmapFile(2302);
    const Bytes frame = LogoFrame(file);
    EXPECT_TRUE(ecr.Receive(frame.data(), frame.size() - 1).empty());
    EXPECT_EQ(Sent(ecr.Receive(&frame.back(), 1)), Ack());
    EXPECT_EQ(ecr.Logo(), file);
    EXPECT_EQ(ecr.Frames().back(), frame);
    // What follows is a frame of its own.
    EXPECT_EQ(Exchange(ecr, PcFrame('a')), Ack());
}

TEST(SimRegisterTest, BadLogosAreRefused) {
    Bytes notABitmap = BitmapFile(100);
    notABitmap[1] = 'X';
    Bytes tooShort = BitmapFile(100);
    tooShort[2] = 13;
    Bytes tooLong = BitmapFile(100);
    tooLong[5] = 0x10;
    for (const Bytes& file : {notABitmap, tooShort, tooLong}) {
        CSimRegister ecr(0, 123);
        const Bytes frame = LogoFrame(file);
        // Refused as soon as the bitmap header is in.
        EXPECT_EQ(Sent(ecr.Receive(frame.data(), 22)), Refusal());
        EXPECT_TRUE(ecr.Logo().empty());
    }
    CSimRegister ecr(0, 123);
    const Bytes frame = LogoFrame(BitmapFile(100), "000124");
    EXPECT_TRUE(ecr.Receive(frame.data(), frame.size() - 1).empty());
    EXPECT_EQ(Sent(ecr.Receive(&frame.back(), 1)), Refusal());
    EXPECT_TRUE(ecr.Logo().empty());
}

TEST(SimRegisterTest, LogoInManySmallPiecesIsTheFileByteForByte) {
    const Bytes file = BitmapFile(2302);
    const Bytes frame = LogoFrame(file);
    CSimRegister ecr(0, 123);
    Bytes sent;
    // The pieces the PC sends: 23 bytes each after the head, and a short last one.
    for (std::size_t i = 0; i < frame.size(); i += i == 0 ? 8 : 23) {
        const std::size_t n = std::min<std::size_t>(i == 0 ? 8 : 23, frame.size() - i);
        const Bytes answers = Sent(ecr.Receive(frame.data() + i, n));
        sent.insert(sent.end(), answers.begin(), answers.end());
    }
    EXPECT_EQ(sent, Ack());
    EXPECT_EQ(ecr.Logo(), file);
    EXPECT_EQ(ecr.LogosReceived(), 1u);
}

TEST(SimRegisterTest, LogoNotStartingWithBmIsRefusedAtTheFirstWrongByte) {
    for (const std::string& start : {std::string("\x89P"), std::string("BX")}) {
        CSimRegister ecr(0, 123);
        Bytes frame = Of("\xAA"
                         "000123"
                         "R" +
                         start);
        const Bytes answers = Sent(ecr.Receive(frame.data(), start[0] == 'B' ? 10 : 9));
        EXPECT_EQ(answers, Refusal()) << start;
        EXPECT_EQ(ecr.Replies().back(), SimReply::Nak);
        EXPECT_TRUE(ecr.Logo().empty());
        EXPECT_EQ(ecr.LogosReceived(), 0u);
        // The register is ready for the next frame.
        EXPECT_EQ(Exchange(ecr, PcFrame('a')), Ack());
    }
}

TEST(SimRegisterTest, FrameWithoutEndIsRefusedPast4096Bytes) {
    CSimRegister ecr(0, 123);
    Feed(ecr, PcFrame('a'));
    const Bytes endless = Join({Of("\xAA"
                                   "000123r"),
                                Bytes(4088, 'x')});
    EXPECT_TRUE(Feed(ecr, endless).empty());
    EXPECT_EQ(Exchange(ecr, Of("x")), Refusal());
    EXPECT_EQ(Exchange(ecr, Join({Of("xxx\n"), PcFrame('r', "0001A")})), Ack());
    EXPECT_EQ(ecr.Records('r'), (std::vector<std::string>{"0001A"}));
}

TEST(SimRegisterTest, RefusedFrameIsTheNthWhateverItsKind) {
    SimFaults faults;
    faults.refuseFrame = 5;
    CSimRegister ecr(0, 123, faults);
    // a, z, the PC's acknowledgement, the query: four frames before the refused one.
    Feed(ecr, Join({PcFrame('a'), PcFrame('z'), PcAck(), InfoQuery()}));
    EXPECT_EQ(Exchange(ecr, PcFrame('a')), Refusal());
    EXPECT_EQ(Exchange(ecr, PcFrame('a')), Ack());

    faults.refuseFrame = 2;
    CSimRegister records(0, 123, faults);
    const auto answers =
        Feed(records, Join({PcFrame('a'), PcFrame('r', "0001A"), PcFrame('r', "0002B")}));
    EXPECT_EQ(Sent(answers), Join({Ack(), Refusal(), Ack()}));
    EXPECT_EQ(records.Records('r'), (std::vector<std::string>{"0002B"}));
}

TEST(SimRegisterTest, SilentRegisterAnswersNothingFromTheNthFrameOn) {
    SimFaults faults;
    faults.silentFrom = 2;
    CSimRegister ecr(0, 123, faults);
    EXPECT_EQ(Exchange(ecr, PcFrame('a')), Ack());
    EXPECT_TRUE(Feed(ecr, PcFrame('z')).empty());
    // No confirmation went out, so no acknowledgement of one is expected.
    Feed(ecr, PcAck());
    EXPECT_EQ(ecr.Frames().size(), 2u);
    EXPECT_TRUE(Feed(ecr, InfoQuery()).empty());
    EXPECT_EQ(ecr.Replies(),
              (std::vector<SimReply>{SimReply::Ack, SimReply::None, SimReply::None}));
}

TEST(SimRegisterTest, ClosingRegisterClosesTheLineInsteadOfAnswering) {
    SimFaults faults;
    faults.closeAfter = 2;
    faults.answerDelayMs = 30;
    CSimRegister ecr(0, 123, faults);
    EXPECT_EQ(Exchange(ecr, PcFrame('a')), Ack());
    const auto answers = Feed(ecr, PcFrame('z'));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_TRUE(answers[0].closeLine);
    EXPECT_TRUE(answers[0].bytes.empty());
    EXPECT_EQ(answers[0].delayMs, 30u);
    EXPECT_EQ(ecr.Replies().back(), SimReply::Close);
}

TEST(SimRegisterTest, AnswerFaultsApplyToEveryAnswer) {
    SimFaults faults;
    faults.answerDelayMs = 250;
    faults.answerSerial = 555;
    faults.noise = "\xAA\x55";
    CSimRegister ecr(0, 123, faults);
    const auto answers = Feed(ecr, Join({PcFrame('a'), PcFrame('z'), InfoQuery()}));
    ASSERT_EQ(answers.size(), 4u);
    for (const SimAnswer& answer : answers) {
        EXPECT_EQ(answer.delayMs, 250u);
        EXPECT_EQ(answer.bytes[0], 0xAA);
        EXPECT_EQ(answer.bytes[1], 0x55);
    }
    const Bytes ack = Join({Of("\xAA\x55"), Ack("000555")});
    EXPECT_EQ(answers[0].bytes, ack);
    EXPECT_EQ(answers[1].bytes, ack);
    const Bytes confirmation(answers[2].bytes.begin() + 2, answers[2].bytes.end());
    EXPECT_EQ(std::string(confirmation.begin(), confirmation.begin() + 8), "\xAA"
                                                                           "000555c");
    EXPECT_TRUE(ChecksumHolds(confirmation));
    EXPECT_EQ(answers[3].bytes, ack);
}

TEST(SimRegisterTest, BadChecksumSpoilsOnlyTheChecksum) {
    SimFaults faults;
    faults.badChecksum = true;
    CSimRegister ecr(0, 123, faults);
    const auto answers = Feed(ecr, Join({PcFrame('a'), PcFrame('z'), InfoQuery()}));
    ASSERT_EQ(answers.size(), 4u);
    for (const SimAnswer& answer : answers) {
        const Bytes& bytes = answer.bytes;
        EXPECT_FALSE(ChecksumHolds(bytes));
        Bytes repaired = bytes;
        std::uint8_t chars[2];
        EncodeChecksum(XorBytes(bytes.data(), bytes.size() - 3), chars);
        repaired[bytes.size() - 3] = chars[0];
        repaired[bytes.size() - 2] = chars[1];
        EXPECT_TRUE(ChecksumHolds(repaired));
        EXPECT_EQ(bytes.back(), 0x0A);
    }
    EXPECT_EQ(answers[0].bytes.size(), 10u);
    EXPECT_EQ(answers[2].bytes.size(), 23u);
}

} // namespace
} // namespace tillora::sim
