// Writing the frame dump file of ModelMode 4.
#include "render/dump_file.h"

#include <cstdio>
#include <cstring>

#include "core/report.h"
#include "core/state.h"
#include "render/polygon_list.h"

namespace pv {

namespace {

void PutInt32(uint8_t *out, int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value);
    out[0] = static_cast<uint8_t>(bits);
    out[1] = static_cast<uint8_t>(bits >> 8);
    out[2] = static_cast<uint8_t>(bits >> 16);
    out[3] = static_cast<uint8_t>(bits >> 24);
}

}  // namespace

bool OpenDumpFile() {
    if (g_state.dumpFile) return true;
    std::FILE *file = std::fopen(kDumpFileName, "wb");
    if (!file) {
        Report(kDumpOpenMessage);
        // Later frames draw as halftone until the host selects the dump again, which retries.
        g_state.modelMode = 2;
        return false;
    }
    g_state.dumpFile = file;
    std::fwrite(g_state.makerTag, 1, sizeof g_state.makerTag, file);
    return true;
}

void WriteDumpRecord(const PolygonEntry &entry) {
    uint8_t record[4 + 8 * kMaxEntryCorners];
    const int corners = entry.cornerNum;
    record[0] = static_cast<uint8_t>(corners);
    record[1] = static_cast<uint8_t>(entry.color);
    record[2] = static_cast<uint8_t>(entry.color >> 8);
    record[3] = static_cast<uint8_t>(entry.color >> 16);
    for (int k = 0; k < corners; ++k) {
        PutInt32(record + 4 + 8 * k, entry.points[k].x);
        PutInt32(record + 8 + 8 * k, entry.points[k].y);
    }
    // Write errors are not looked at: the dump is a recording aid, never a reason to stop.
    std::fwrite(record, 1, static_cast<size_t>(4 + 8 * corners), g_state.dumpFile);
}

void WriteDumpEndOfFrame() {
    static const uint8_t kEndOfFrame[2] = {0xFF, 0xFF};
    std::fwrite(kEndOfFrame, 1, sizeof kEndOfFrame, g_state.dumpFile);
}

}  // namespace pv
