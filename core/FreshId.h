#pragma once

// Declared on its own: headers that Qt's moc reads (as C++17) take it in
// through the records, and kit/base/UUID.h pulls in <compare>.
namespace kit {
class UUID;
}

namespace qm {

// A fresh random (version 4) identity for a decoded record. Records are
// made by the tens of thousands for one count, so the bytes come from a
// per-thread generator seeded once from the system's cryptographic source
// (which kit::UUID() asks every time) rather than from that source itself.
kit::UUID freshId();

} // namespace qm
