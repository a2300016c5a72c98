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

void put_doubles(std::vector<std::uint8_t>* out, const std::vector<double>& values) {
    for (double v : values) put(out, v);
}

}  // namespace

Material flat_material(float r, float g, float b, float a, bool blend, bool alpha_test) {
    Material m{};
    m.alpha_test = alpha_test ? 1 : 0;
    m.blend = blend ? 1 : 0;
    const float colour[4] = {r, g, b, a};
    for (int i = 0; i < 4; ++i) {
        m.ambient[i] = colour[i];
        m.diffuse[i] = colour[i];
        m.specular[i] = i == 3 ? 1.0f : 0.0f;
    }
    m.shininess = 0.0f;
    return m;
}

MeshRecordSpec square(const std::string& texture, double x0, double y0, double x1, double y1,
                      double z, const Material& material) {
    MeshRecordSpec s;
    s.texture_name = texture;
    s.material = material;
    s.vertices = {x0, y0, z, x1, y0, z, x1, y1, z, x0, y0, z, x1, y1, z, x0, y1, z};
    for (int i = 0; i < 6; ++i) s.normals.insert(s.normals.end(), {0.0, 0.0, 1.0});
    s.texcoords = {0, 0, 1, 0, 1, 1, 0, 0, 1, 1, 0, 1};
    return s;
}

MeshRecordSpec numbered(const std::string& texture, int triangles) {
    MeshRecordSpec s;
    s.texture_name = texture;
    s.material = flat_material(1, 1, 1, 1);
    for (int k = 0; k < 9 * triangles; ++k) {
        s.vertices.push_back(k);
        s.normals.push_back(-k);
    }
    for (int k = 0; k < 6 * triangles; ++k) s.texcoords.push_back(k * 0.5);
    return s;
}

std::vector<std::uint8_t> mesh_record(const MeshRecordSpec& spec) {
    std::vector<std::uint8_t> out;
    put(&out, static_cast<std::int32_t>(spec.texture_name.size() + 1));
    out.insert(out.end(), spec.texture_name.begin(), spec.texture_name.end());
    out.push_back(0);
    out.insert(out.end(), 80, 0xAB);
    std::uint8_t material[sizeof(Material)];
    std::memcpy(material, &spec.material, sizeof material);
    out.insert(out.end(), material, material + sizeof material);
    put(&out, static_cast<std::int32_t>(spec.triangles()));
    out.push_back(0xCD);
    put_doubles(&out, spec.vertices);
    put_doubles(&out, spec.normals);
    put_doubles(&out, spec.texcoords);
    return out;
}

std::vector<std::uint8_t> mesh_entry(const std::vector<MeshRecordSpec>& records, std::uint8_t marker) {
    std::vector<std::uint8_t> out{marker};
    if (marker == 255) put(&out, std::int32_t{0x7EADBEEF});
    put(&out, static_cast<std::int32_t>(records.size()));
    for (const MeshRecordSpec& r : records) {
        const auto bytes = mesh_record(r);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

std::vector<std::uint8_t> solid_bmp(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const int row = (width * 3 + 3) / 4 * 4;
    const auto pixels = static_cast<std::uint32_t>(row * height);
    std::vector<std::uint8_t> out{'B', 'M'};
    put(&out, std::uint32_t{54} + pixels);
    put(&out, std::uint32_t{0});
    put(&out, std::uint32_t{54});
    put(&out, std::uint32_t{40});
    put(&out, std::int32_t{width});
    put(&out, std::int32_t{height});
    put(&out, std::uint16_t{1});
    put(&out, std::uint16_t{24});
    put(&out, std::uint32_t{0});
    put(&out, pixels);
    put(&out, std::int32_t{2835});
    put(&out, std::int32_t{2835});
    put(&out, std::uint32_t{0});
    put(&out, std::uint32_t{0});
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) out.insert(out.end(), {b, g, r});
        out.insert(out.end(), static_cast<std::size_t>(row - width * 3), 0);
    }
    return out;
}

}  // namespace lunabrelle::test
