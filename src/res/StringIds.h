#pragma once

// Numbers of the string-table texts that the code refers to by name.
namespace tillora::ids {

// Connection settings
inline constexpr unsigned NoModel = 20019;
inline constexpr unsigned NoComPort = 20020;
inline constexpr unsigned NoSerial = 20021;

// Serial port and link
inline constexpr unsigned PortNotOpened = 20023;
inline constexpr unsigned AnswerTimeout = 20024;
inline constexpr unsigned RegisterRefused = 20025;
inline constexpr unsigned InvalidData = 20026;
inline constexpr unsigned ChecksumError = 20027;
inline constexpr unsigned SerialMismatch = 20028;
inline constexpr unsigned WriteFailed = 20029;

} // namespace tillora::ids
