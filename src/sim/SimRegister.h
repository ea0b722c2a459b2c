#pragma once

#include "sim/SimFaults.h"
#include "sim/SimTables.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tillora::sim {

// One answer of the register: bytes to send after a delay, or the line closing.
struct SimAnswer {
    std::uint64_t delayMs = 0;       // counted from the moment the frame was complete
    std::vector<std::uint8_t> bytes; // may be empty
    bool closeLine = false;
};

// What the register did with one frame it received.
enum class SimReply {
    Ack,   // acknowledged (a table transfer's "z" also got the confirmation)
    Nak,   // refused
    Info,  // the information answer
    None,  // no answer: told to stay silent, or the PC's acknowledgement of a confirmation
    Close, // closed the line instead of answering
};

// The register's side of the link as a plain state machine, free of any transport: it takes the
// PC's bytes as they come, checks each frame the way the PC checks the register's, answers it,
// and keeps what it received. The pseudo-terminal host and the in-process line both drive it.
//
// Frames: a command ("a", "z", "f") is 11 bytes and the information query 5, so a frame whose
// last byte is not 0x0A is refused as soon as it is in; a record ends at its 0x0A (at most 4096
// bytes); the logo frame ends with the last byte of the bitmap file, whose length the file's own
// header gives. A logo whose bytes do not start with "BM" is refused as soon as the first wrong
// byte is in, one whose header gives an impossible length as soon as the 14-byte file header is
// in; the rest of such a stream is then taken as noise until a start byte. Records are taken only
// inside a table transfer opened by "a"; elsewhere they are refused, and so is a "z" without an
// open transfer. The twelve free bytes of the confirmation are the transfer's record counts in
// digits: six for "r", then two each for "o", "y" and "w". The faults act on the answers: a frame
// met with silence, with the line closing, or with an answer late or cut short is still taken (its
// record kept); a refused one is not.
// The PC's acknowledgement of the confirmation is never answered, whatever the faults.
//
// The register keeps the tables as a real one does: every record it takes is decoded by the
// model's layout into its tables; one that does not fit the layout is still acknowledged and
// kept, but changes no table (UndecodedFrames). "f" is acknowledged and followed by the report
// lines of the tables (SimReport.h), each line an answer of its own; the faults that silence or
// close the register at "f" take the report with them, reportLineLimit cuts it short, the noise
// goes only before the acknowledgement.
class CSimRegister {
public:
    CSimRegister(int model, unsigned serial, SimFaults faults = {});

    // Bytes from the PC, in any pieces. Returns the answers to every frame they completed.
    std::vector<SimAnswer> Receive(const std::uint8_t* data, std::size_t length);

    int Model() const { return m_model; }
    unsigned Serial() const { return m_serial; }
    const SimFaults& Faults() const { return m_faults; }
    void SetFaults(const SimFaults& faults) { m_faults = faults; }

    // Payloads (the bytes after the kind letter, before the checksum) of the records kept, by kind
    // letter ('r', 'o', 'y', 'w'), in the order received.
    const std::vector<std::string>& Records(char kind) const;
    // Every complete frame received, exactly as it came.
    const std::vector<std::vector<std::uint8_t>>& Frames() const { return m_frames; }
    // What the register did with each frame, in the order of Frames().
    const std::vector<SimReply>& Replies() const { return m_replies; }
    // The last logo received: the bitmap file's bytes.
    const std::vector<std::uint8_t>& Logo() const { return m_logo; }
    // How many logos have been acknowledged: it moves on even when a logo equals the last one.
    unsigned LogosReceived() const { return m_logosReceived; }
    // True once the PC's acknowledgement of the last confirmation has come in and passed the
    // checks; false again when the next transfer opens.
    bool ConfirmationAcknowledged() const { return m_confirmationAcknowledged; }
    // How many confirmations the PC has acknowledged: a transfer is then complete on both sides.
    unsigned ConfirmedTransfers() const { return m_confirmedTransfers; }

    // The tables the register holds: what it was started with and the records since.
    const SimTables& Tables() const { return m_tables; }
    SimTables& Tables() { return m_tables; }
    // Numbers (counted from 1, as in Frames()) of the records taken that did not fit the model's
    // layout.
    const std::vector<std::size_t>& UndecodedFrames() const { return m_undecodedFrames; }

private:
    enum class Assembly { Incomplete, Complete, Overlong };

    Assembly Assemble(std::uint8_t byte);
    std::size_t FixedLength() const;
    void TakeFrame(std::vector<SimAnswer>& answers, bool overlong);
    void ApplyFrameFaults(std::size_t number, std::vector<SimAnswer>& own) const;
    static void CutShort(std::vector<SimAnswer>& own);
    bool Accept(const std::vector<std::uint8_t>& frame);
    void Apply(const std::vector<std::uint8_t>& frame, std::vector<SimAnswer>& answers);
    bool TakeConfirmationAck(const std::vector<std::uint8_t>& frame);
    void AddAnswer(std::vector<SimAnswer>& answers, std::vector<std::uint8_t> frame) const;
    void AddReport(std::vector<SimAnswer>& answers) const;
    std::vector<std::uint8_t> Answer(std::uint8_t first) const;
    std::vector<std::uint8_t> Confirmation() const;
    std::string AnswerSerialText() const;
    void Checksummed(std::vector<std::uint8_t>& frame) const;

    int m_model;
    unsigned m_serial;
    SimFaults m_faults;
    std::string m_serialText;
    std::map<char, std::vector<std::string>> m_records;
    std::vector<std::vector<std::uint8_t>> m_frames;
    std::vector<SimReply> m_replies;
    std::vector<std::uint8_t> m_logo;
    unsigned m_logosReceived = 0;
    SimTables m_tables;
    std::vector<std::size_t> m_undecodedFrames;
    unsigned m_confirmedTransfers = 0;

    std::vector<std::uint8_t> m_pending; // the frame being assembled, from its first byte
    bool m_transferOpen = false;
    bool m_awaitingConfirmationAck = false;
    bool m_confirmationAcknowledged = false;
    std::map<char, unsigned> m_transferCounts; // records taken since "a", by kind
};

} // namespace tillora::sim
