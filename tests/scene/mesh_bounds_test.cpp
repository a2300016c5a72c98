// Cut mesh records and entry headers are refused, without reading a byte
// past their end: record bytes end at an inaccessible page, and a short entry
// header is named as such rather than read as counts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/model.h"
#include "scene/object.h"
#include "support/guarded_bytes.h"
#include "support/log_capture.h"
#include "support/mesh_bytes.h"
#include "support/temp_archive.h"

namespace {

using namespace lunabrelle::test;

TEST(MeshBounds, EveryCutOfARecordIsRefusedWhereItLies) {
    const std::vector<std::uint8_t> record = mesh_record(numbered("abcd", 2));
    for (std::size_t cut = 0; cut < record.size(); ++cut) {
        SCOPED_TRACE("first " + std::to_string(cut) + " bytes");
        const GuardedBytes part({record.begin(), record.begin() + std::ptrdiff_t(cut)});
        raw cursor{const_cast<unsigned char*>(part.data()), std::int32_t(cut)};
        Model model;
        EXPECT_FALSE(model.load(&cursor, "none.pak"));
        EXPECT_EQ(cursor.data, part.data());
    }
}

TEST(MeshBounds, EntryTooShortForItsHeaderSaysSo) {
    const std::vector<std::vector<std::uint8_t>> entries = {
        {}, {0}, {0, 1, 0, 0}, {7, 1, 0, 0}, {255, 0, 0, 0, 0, 1, 0, 0}};
    ArchiveFolder folder;
    ArchiveEntries named;
    for (std::size_t i = 0; i < entries.size(); ++i) named.push_back({"e" + std::to_string(i), entries[i]});
    folder.add("m.pak", named);
    LogCapture log;
    for (const auto& [name, bytes] : named) {
        SCOPED_TRACE(name);
        log.clear();
        Object node;
        node.add("m.pak", name.c_str());
        EXPECT_TRUE(node.models.empty());
        ASSERT_EQ(log.lines().size(), 1u);
        EXPECT_NE(log.lines()[0].find("truncated header"), std::string::npos) << log.lines()[0];
    }
}

}  // namespace
