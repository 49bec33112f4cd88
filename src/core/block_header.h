// Block headers of generated STL sources: which block a header line opens
// ("FC 80" for "FUNCTION FC 80 : VOID"), and the name a file holding a
// source is given.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/generator_result.h"

namespace brendax {

// The first word of a line: leading blanks and TABs skipped, up to a blank,
// TAB or ";".
std::string FirstWord(const std::string& line);
// ASCII letters in upper case, every other byte as it is.
std::string Upper(std::string text);
// "0" for an all-zero number, else the digits without their leading zeros.
std::string WithoutLeadingZeros(const std::string& digits);
// UDT, DB, FC, FB, OB, SFC, SFB, VAT (in upper case).
bool IsBlockArea(const std::string& area);

// "DB 100" from "DATA_BLOCK DB 100", "FC 80" from "FUNCTION FC 80 : VOID";
// a header naming its block by symbol, and any other line, gives nothing.
std::optional<std::string> HeaderBlock(const std::string& line);

// "FC 80" for a row whose address is a block's ("FC 080", "fc 80").
std::optional<std::string> RowBlock(const SymbolRow& row);

// The name of a file that holds the source, without extension: the last
// block's address without the blank ("FC80"). A source's last block is its
// main one (a step sequence's function after its data block and timer
// function, a data block after its UDT). A block named by its symbol
// (FUNCTION "FC_Kette" : VOID) takes the address of that symbol's row, or,
// without one, the symbol itself with "_" for characters a file name may
// not hold. Empty when no line opens a block.
std::string SourceFileStem(const std::vector<std::string>& lines, const std::vector<SymbolRow>& rows);

}  // namespace brendax
