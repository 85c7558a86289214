// Buffers of a whole data file (ten megabytes and more) are filled once and
// then read or written through. Their memory is asked to come in large pages
// where the system offers them, so that filling a fresh buffer takes a few
// page faults in place of thousands.
#pragma once
#include <QtGlobal>

namespace largebuf {

// Advises the whole large pages inside [p, p + n); smaller ranges and
// systems without large pages are left as they are.
void advise(void* p, qint64 n);

}  // namespace largebuf
