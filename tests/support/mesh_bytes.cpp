#include "support/mesh_bytes.h"

#include <cstring>

namespace lunabrelle::test {

namespace {

template <typename T>
void put(std::vector<std::uint8_t>* out, T value) {
    std::uint8_t bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out->insert(out->end(), bytes, bytes + sizeof(T));
}

}  // namespace

Material flat_material(float r, float g, float b, float a, bool blend, bool alpha_test) {
    return {alpha_test, blend, {}, {r, g, b, a}, {r, g, b, a}, {0, 0, 0, 1}, 0.0f, {}};
}

MeshRecordData square(const std::string& texture, double x0, double y0, double x1, double y1,
                      double z, const Material& material) {
    MeshRecordData s{texture, material, {x0, y0, z, x1, y0, z, x1, y1, z, x0, y0, z, x1, y1, z, x0, y1, z}, {},
                     {0, 0, 1, 0, 1, 1, 0, 0, 1, 1, 0, 1}};
    for (int i = 0; i < 6; ++i) s.normals.insert(s.normals.end(), {0.0, 0.0, 1.0});
    return s;
}

MeshRecordData numbered(const std::string& texture, int triangles) {
    MeshRecordData s{texture, flat_material(1, 1, 1, 1), {}, {}, {}};
    for (int k = 0; k < 9 * triangles; ++k) {
        s.vertices.push_back(k);
        s.normals.push_back(-k);
    }
    for (int k = 0; k < 6 * triangles; ++k) s.texcoords.push_back(k * 0.5);
    return s;
}

std::vector<std::uint8_t> mesh_record(const MeshRecordData& record) {
    std::vector<std::uint8_t> out;
    put(&out, static_cast<std::int32_t>(record.texture_name.size() + 1));
    out.insert(out.end(), record.texture_name.begin(), record.texture_name.end());
    out.push_back(0);
    out.insert(out.end(), 80, 0);
    put(&out, record.material);
    put(&out, static_cast<std::int32_t>(record.triangles()));
    out.push_back(0);
    for (const auto* array : {&record.vertices, &record.normals, &record.texcoords})
        for (double v : *array) put(&out, v);
    return out;
}

std::vector<std::uint8_t> mesh_entry(const std::vector<MeshRecordData>& records, std::uint8_t marker) {
    std::vector<std::uint8_t> out{marker};
    if (marker == 255) put(&out, std::int32_t{0x7EADBEEF});
    put(&out, static_cast<std::int32_t>(records.size()));
    for (const MeshRecordData& r : records) {
        const auto bytes = mesh_record(r);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

}  // namespace lunabrelle::test
