// The editing component's published interface, taken from its own headers
// (installed with the dependencies): the message, option and notification
// numbers, and the loader through which a file is streamed into a fresh
// document. The component itself is loaded at run time; these numbers are
// part of its stable binary interface.
#pragma once
#include <ILoader.h>
#include <Scintilla.h>

namespace tavrel {

using Scintilla::ILoader;

}  // namespace tavrel
