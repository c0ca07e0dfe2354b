// The object-stream form of Color, apart from color.cpp so that only code that serialises
// colours links the object streamer.
#include "gfx/color.h"

#include "rir2/calltrace.h"
#include "rir2/objectstreamer.h"

void Color::persistTo(RIR::ObjectStreamer& streamer) const
{
    RIR_TRACE("Color::persistTo");
    streamer.writeUChar(r);
    streamer.writeUChar(g);
    streamer.writeUChar(b);
    streamer.writeUChar(a);
}

void Color::persistFrom(RIR::ObjectStreamer& streamer)
{
    RIR_TRACE("Color::persistFrom");
    unsigned char c = 0;
    streamer.readUChar(c);
    r = c;
    streamer.readUChar(c);
    g = c;
    streamer.readUChar(c);
    b = c;
    streamer.readUChar(c);
    a = c;
}
