// Who writes a save's side file, as its name tells: the writing process's
// id and start time, so that a later run can tell a file left behind by a
// save that died (clutter it may clear away) from one that another running
// copy of the editor is still writing (which it must leave alone).
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

struct SideFileWriter {
  uint32_t process_id = 0;
  // When the process started, in the system's own units; 0 where the name
  // does not say: names made before it was written into them carry the
  // process id alone.
  uint64_t started = 0;

  friend bool operator==(const SideFileWriter&, const SideFileWriter&) = default;
};

// What follows the target's name in the name of one of its side files:
// ".~TAG-PID-START-NUMBER.tmp", number telling apart the side files of one
// process. Each field has hexadecimal digits of a fixed width, so that all
// side files of one tag have suffixes of one length, and a target's name,
// when it has to be shortened to make room for the suffix, is shortened
// the same way for each.
std::wstring SideFileSuffix(std::wstring_view tag, const SideFileWriter& writer, uint32_t number);

// The writer named by suffix, everything after the target's name in the
// name of a side file of tag; none when suffix is anything else. Also
// reads the suffix of earlier versions, ".~TAG-NUMBER.tmp", whose number
// held the process id in its upper 32 bits and no start time.
std::optional<SideFileWriter> SideFileWriterOf(std::wstring_view suffix, std::wstring_view tag);

}  // namespace tavrel
