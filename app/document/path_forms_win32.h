// Paths as the system's file calls take them.
#pragma once
#include <cstddef>
#include <string>

namespace tavrel {

// The full, clean path the system makes of path (a relative one is taken
// from the working folder); empty when it cannot make one.
std::wstring FullPath(const std::wstring& path);

// What to hand to the system's file calls for path: path itself while its
// full form, with room characters more (for names made from it), fits the
// plain limit; the extended-length form of that full path beyond it.
std::wstring SystemPath(const std::wstring& path, std::size_t room = 0);

}  // namespace tavrel
