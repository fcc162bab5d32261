#pragma once

#include <span>
#include <string_view>

// Word lists for the synthetic GEDCOM generator. Everything here is UTF-8 and uses only
// characters that code page 1252 can hold, so a generated file converts to every output
// encoding without loss.
namespace korvane::bench {

std::span<const std::string_view> Surnames();
// Endings and spelling changes that turn a base surname into a regional variant.
std::span<const std::string_view> SurnameSuffixes();
std::span<const std::string_view> MaleGivenNames();
std::span<const std::string_view> FemaleGivenNames();
// "Ort, Region, Land".
std::span<const std::string_view> Places();
std::span<const std::string_view> MaleOccupations();
std::span<const std::string_view> FemaleOccupations();
// Sentences for notes; several of them carry typographic quotes and dashes, which live in
// the 0x80-0x9F range of code page 1252.
std::span<const std::string_view> NoteSentences();
// "Ev." / "Kath." parish registers and civil records, combined with a place for SOUR titles.
std::span<const std::string_view> SourceKinds();

}  // namespace korvane::bench
