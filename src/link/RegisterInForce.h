#pragma once

#include "link/RegisterList.h"

#include <string>

namespace tillora {

class EcrIniFile;

// The register of the settings in force, [ECR], seen as a register of the list: the window's
// register chooser puts a register of the list in force by writing its values there, so that
// every command, the command-line tool's too, and every older file read [ECR] as they always did.

// [ECR]'s Port: a device or COM name opened instead of the COM index's device; empty: none.
std::string LoadRegisterPort(const EcrIniFile& ini);
// Empty removes the override; false when the file could not be written.
bool SaveRegisterPort(EcrIniFile& ini, const std::string& port);
// A COM port chosen (the settings dialog, the command line's settings) takes the place of a port
// that a register of the list put in force; false when the file could not be written.
bool ChooseComPort(EcrIniFile& ini);

// The register that these settings and [ECR]'s port and gap describe, without a name.
NamedRegister RegisterInForce(const EcrIniFile& ini, const EcrSettings& settings);

// Writes the register's model, COM index, serial, frame gap and port as [ECR]'s; false when the
// file could not be written.
bool SaveRegisterInForce(EcrIniFile& ini, const NamedRegister& reg);

// Whether both reach the same register: the same model and serial on the same line (the port
// named, else the COM index).
bool IsSameRegister(const NamedRegister& a, const NamedRegister& b);

// "Модел, COM1, 000123", the port named in place of COMn; UTF-8.
std::string RegisterSummary(const NamedRegister& reg);
// The register's line in a list of registers: its name, then its summary; UTF-8.
std::string RegisterListLine(const NamedRegister& reg);

// The main window's title with the register's name: "Tillora - NAME [Модел, COM1, 000123]";
// UTF-8. Settings without a model or serial give the plain title.
std::string NamedFrameTitle(const NamedRegister& reg);

} // namespace tillora
