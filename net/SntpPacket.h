// SNTP (RFC 4330) packets and arithmetic as plain functions: timestamps, the request, the reply checks,
// the clock offset.
#pragma once

#include <QByteArray>

namespace orvane::sntp {

// An NTP timestamp: seconds since 1900 (within its era) in the high 32 bits, binary fraction in the low.
using Timestamp = quint64;

// The timestamp of a Unix time in microseconds; the era is dropped, as on the wire.
Timestamp toTimestamp(qint64 unixUsec);
// The Unix time in microseconds of a timestamp, in the era that puts it nearest `nearUnixUsec` (the
// local clock), so that the wrap of 2036 reads right.
qint64 fromTimestamp(Timestamp t, qint64 nearUnixUsec);

// A client request (version 4, mode 3) carrying `transmit`, which the server must echo as originate.
QByteArray requestPacket(Timestamp transmit);

enum class ReplyFault {
    None,
    Short,          // fewer than 48 bytes
    NotServer,      // mode is not 4
    BadVersion,     // version is not 3 or 4
    KissOfDeath,    // stratum 0: the server tells us to go away
    BadStratum,     // stratum above 15
    Unsynchronised, // leap indicator 3: the server's own clock is not set
    WrongOrigin,    // not an answer to our request
    NoTransmit,     // transmit timestamp 0
};

struct Reply {
    ReplyFault fault = ReplyFault::Short;
    Timestamp receive = 0;  // T2
    Timestamp transmit = 0; // T3
};

// Reads and checks a server's answer to the request that carried `sentTransmit`.
Reply readReply(const QByteArray& packet, Timestamp sentTransmit);
// Why a reply was refused, for the log.
const char* faultText(ReplyFault fault);

// The local clock's error, ((T2−T1)+(T3−T4))/2, in microseconds: add it to the local clock.
qint64 clockOffset(qint64 t1, qint64 t2, qint64 t3, qint64 t4);

} // namespace orvane::sntp
