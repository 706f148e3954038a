// The bytes of the icon stream that Pakrun.dll hands over, for the tests that look at it.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <string>

// Everything the stream holds, read from its start; empty for no stream.
std::string StreamBytes(IStream* stream);
