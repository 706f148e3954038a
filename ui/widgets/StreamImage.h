// Decoding an image from a stream that belongs to someone else.
#pragma once

#include <objidl.h>

#include "GdiPlusObjects.h"

// Copies the stream's bytes, from its start, into memory of our own and decodes the image
// from that copy, so that the image stays usable after the stream is released. An empty
// image (recording the failure) for a null stream, unreadable bytes or no image.
CGdipImage LoadImageFromStreamCopy(IStream* stream);
