#pragma once

// Conversions between texts and numbers, padding and IMO class texts. Every
// number that lives as text (files, settings, header values, edit fields) is
// read and written through these, so one text gives one value everywhere.

#include <string>
#include <string_view>

struct PlanData;

// Lenient reading: "." and "," are both the decimal separator, a second
// separator is dropped, "-" anywhere makes the value negative, every other
// character is skipped; no digits reads as 0.
double ParseReal(std::string_view text);
// As ParseReal, but the first separator ends the digits (no rounding).
int ParseInt(std::string_view text);

// "" for 0, else the shortest plain text (no exponent, current decimal
// separator) that ParseReal reads back to the same double.
std::string RealOrEmpty(double x);
// "" for 0, else the decimal text.
std::string IntOrEmpty(int n);
// Raises x by 0.49 of the last kept decimal and cuts; only an exact 0 gives "".
std::string FormatFixed(double x, int decimals);

// Pads with padText in front (right-aligned) or behind until the text is at
// least width long. Never cuts.
std::string Pad(std::string text, int width, bool inFront, std::string_view padText = " ");
std::string StripBlanks(std::string_view text);
std::string TrimRight(std::string_view text);
std::string Trim(std::string_view text);

// Characters first..last of text, counted from 1 as the file layouts count
// them; whatever part lies beyond the text is simply missing.
std::string Columns(std::string_view text, int first, int last);

// Keeps at most "d.d" of an IMO class text ("CLASS 3" -> "3", "2.1A" -> "2.1").
std::string NormaliseImoClass(std::string_view text);
// Drawing colour of an IMO class from the IMO table; white when not listed.
int ImoColour(const PlanData& plan, std::string_view imoClass);
// Heading of printed lists: company - m/v vessel - title of the data set.
std::string TitleLine(const PlanData& plan, int dataSet);

// The program's texts are bytes of the Windows code page (1252). For a
// terminal that reads UTF-8 each such byte above 127 becomes its UTF-8
// sequence. Sequences that already are well-formed UTF-8 (a folder name
// typed on this system, say) pass unchanged, so text converted twice stays
// right. Bytes the code page leaves undefined are taken as Latin-1.
std::string WindowsTextToUtf8(std::string_view text);
