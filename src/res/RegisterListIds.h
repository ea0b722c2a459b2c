#pragma once

// The string ids of the window's register chooser, the register list dialog and the send to
// several registers (StringTable.cpp), apart from StringIds.h so that they touch only their own.
namespace tillora::ids {

// Main menu: Register
inline constexpr unsigned MenuRegisterList = 30148;
inline constexpr unsigned MenuRegisterSendToSeveral = 30149;

inline constexpr unsigned FrameTitleNamed = 31720;
inline constexpr unsigned ChooserLabel = 31721;
inline constexpr unsigned ChooserName = 31722;
inline constexpr unsigned RegistersCaption = 31723;
inline constexpr unsigned RegistersAdd = 31724;
inline constexpr unsigned RegistersEdit = 31725;
inline constexpr unsigned RegistersCopy = 31726;
inline constexpr unsigned RegistersRemove = 31727;
inline constexpr unsigned RegistersClose = 31728;
inline constexpr unsigned RegistersListName = 31729;
inline constexpr unsigned RegisterRemoveQuestion = 31730;
inline constexpr unsigned RegisterNameTaken = 31731;
inline constexpr unsigned RegisterEditCaption = 31732;
inline constexpr unsigned RegisterNameLabel = 31733;
inline constexpr unsigned RegisterGapLabel = 31734;
inline constexpr unsigned RegisterCopyName = 31735;
inline constexpr unsigned RegisterListEntry = 31736;
inline constexpr unsigned SeveralCaption = 31737;
inline constexpr unsigned SeveralTable = 31738;
inline constexpr unsigned SeveralRegistersLabel = 31739;
inline constexpr unsigned SeveralSend = 31740;
inline constexpr unsigned SeveralOutcomesLabel = 31741;
inline constexpr unsigned SeveralNoneTicked = 31742;
inline constexpr unsigned SeveralNoRegisters = 31743;
inline constexpr unsigned SeveralOutcome = 31744;
inline constexpr unsigned SeveralConfirmed = 31745;
inline constexpr unsigned SeveralRefused = 31746;
inline constexpr unsigned SeveralSending = 31747;
inline constexpr unsigned SeveralDone = 31748;

} // namespace tillora::ids
