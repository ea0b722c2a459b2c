#pragma once

#include "FakeClock.h"
#include "Frames.h"
#include "ModelInForce.h"
#include "RecordingFeedback.h"
#include "link/EcrSettings.h"
#include "link/LineOpener.h"
#include "sim/SimRegister.h"
#include "sim/SimulatedLine.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableSetup.h"
#include "transfer/TransferSession.h"

#include <memory>
#include <string>
#include <vector>

namespace tillora::test {

// A table as the program builds it, with a selection and focus of its own.
struct TableUnderTest {
    explicit TableUnderTest(TableKind kind) { SetupTable(cells, kind); }

    void Set(int row, int column, const std::string& text) { cells.SetItemText(row, column, text); }
    void Select(int row, int column) { access.SetCellSelected(row, column, true); }

    // Every data cell's text, to prove that a run left the table as it was.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (int r = 1; r < cells.GetRowCount(); ++r) {
            for (int c = 1; c < cells.GetColumnCount(); ++c) {
                texts.push_back(cells.GetItemText(r, c));
            }
        }
        return texts;
    }

    CCellGrid cells;
    CMemoryGridAccess access{cells};
};

// A record frame as the register must receive it from serial 000123.
inline std::vector<std::uint8_t> RecordFrame(char kind, const std::string& payload) {
    return test::PcFrame(kind, payload);
}

inline std::vector<std::uint8_t> CommandFrame(char letter) {
    return RecordFrame(letter, "");
}

// A send session against the in-process register, counting how often the line is opened.
struct SimSession {
    explicit SimSession(int model, unsigned serial = 123)
        : ecr(std::make_shared<sim::CSimRegister>(model, serial)) {
        settings.EcrType = model;
        settings.EcrCom = 0;
        settings.EcrSerial = serial;
        choice.demoLine = [this]() -> std::unique_ptr<ISerialLine> {
            ++opened;
            return std::make_unique<sim::CSimulatedLine>(ecr, clock);
        };
    }

    TransferSession Session() {
        return TransferSession{choice, clock, feedback, settings, 0, recordSent};
    }

    // The frames the register received between "a" and "z".
    std::vector<std::vector<std::uint8_t>> Records() const {
        const auto& frames = ecr->Frames();
        if (frames.size() < 3) {
            return {};
        }
        return {frames.begin() + 1, frames.end() - 2};
    }

    FakeClock clock;
    RecordingFeedback feedback;
    std::shared_ptr<sim::CSimRegister> ecr;
    EcrSettings settings;
    LineChoice choice;
    int opened = 0;
    std::function<void(unsigned, unsigned)> recordSent;
};

} // namespace tillora::test
