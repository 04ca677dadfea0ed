// The 48-byte NTP packet: field positions, era arithmetic and the checks a reply must pass.
#include "net/SntpPacket.h"

#include <QtEndian>

namespace orvane::sntp {

namespace {

constexpr qint64 kUnixEpochInNtp = 2208988800; // seconds from 1900-01-01 to 1970-01-01
constexpr qint64 kEra = qint64(1) << 32;       // seconds in one NTP era
constexpr qint64 kUsecPerSecond = 1000000;
constexpr qsizetype kPacketSize = 48;
constexpr qsizetype kOriginateAt = 24, kReceiveAt = 32, kTransmitAt = 40;

Timestamp readStamp(const QByteArray& packet, qsizetype at) {
    return qFromBigEndian<quint64>(packet.constData() + at);
}

// Floor division: times before 1970 must not round towards zero.
qint64 floorDiv(qint64 a, qint64 b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

} // namespace

Timestamp toTimestamp(qint64 unixUsec) {
    const qint64 seconds = floorDiv(unixUsec, kUsecPerSecond);
    const qint64 usec = unixUsec - seconds * kUsecPerSecond;
    const quint64 fraction = (quint64(usec) << 32) / kUsecPerSecond;
    return (quint64(seconds + kUnixEpochInNtp) << 32) | fraction;
}

qint64 fromTimestamp(Timestamp t, qint64 nearUnixUsec) {
    const qint64 near = floorDiv(nearUnixUsec, kUsecPerSecond) + kUnixEpochInNtp;
    const qint64 inEra = qint64(t >> 32);
    // The era whose copy of the seconds lies within half an era of the local clock.
    qint64 seconds = floorDiv(near, kEra) * kEra + inEra;
    if (seconds - near > kEra / 2)
        seconds -= kEra;
    else if (near - seconds > kEra / 2)
        seconds += kEra;
    // Rounded to the nearest microsecond, so a timestamp made from µs reads back unchanged.
    const qint64 usec = qint64(((t & 0xffffffffu) * kUsecPerSecond + (quint64(1) << 31)) >> 32);
    return (seconds - kUnixEpochInNtp) * kUsecPerSecond + usec;
}

QByteArray requestPacket(Timestamp transmit) {
    QByteArray packet(kPacketSize, '\0');
    packet[0] = char((4 << 3) | 3); // leap 0, version 4, mode 3 (client)
    qToBigEndian(transmit, packet.data() + kTransmitAt);
    return packet;
}

Reply readReply(const QByteArray& packet, Timestamp sentTransmit) {
    Reply reply;
    if (packet.size() < kPacketSize)
        return reply;
    const int first = quint8(packet[0]);
    const int leap = first >> 6, version = (first >> 3) & 7, mode = first & 7;
    const int stratum = quint8(packet[1]);
    if (mode != 4)
        reply.fault = ReplyFault::NotServer;
    else if (version != 3 && version != 4)
        reply.fault = ReplyFault::BadVersion;
    else if (stratum == 0)
        reply.fault = ReplyFault::KissOfDeath;
    else if (stratum > 15)
        reply.fault = ReplyFault::BadStratum;
    else if (leap == 3)
        reply.fault = ReplyFault::Unsynchronised;
    else if (readStamp(packet, kOriginateAt) != sentTransmit)
        reply.fault = ReplyFault::WrongOrigin;
    else if (readStamp(packet, kTransmitAt) == 0)
        reply.fault = ReplyFault::NoTransmit;
    else
        reply = {ReplyFault::None, readStamp(packet, kReceiveAt), readStamp(packet, kTransmitAt)};
    return reply;
}

const char* faultText(ReplyFault fault) {
    switch (fault) {
    case ReplyFault::None:
        return "valid";
    case ReplyFault::Short:
        return "shorter than 48 bytes";
    case ReplyFault::NotServer:
        return "not a server reply";
    case ReplyFault::BadVersion:
        return "unknown version";
    case ReplyFault::KissOfDeath:
        return "kiss-o'-death (stratum 0)";
    case ReplyFault::BadStratum:
        return "stratum above 15";
    case ReplyFault::Unsynchronised:
        return "server not synchronised";
    case ReplyFault::WrongOrigin:
        return "originate is not our request";
    case ReplyFault::NoTransmit:
        return "no transmit timestamp";
    }
    return "?";
}

qint64 clockOffset(qint64 t1, qint64 t2, qint64 t3, qint64 t4) {
    return ((t2 - t1) + (t3 - t4)) / 2;
}

} // namespace orvane::sntp
