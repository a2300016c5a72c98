#include "mesh_entry.h"

#include <bit>
#include <cstring>

namespace kit {

namespace {

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& out) : out_(out) {}
    void u8(std::uint8_t v) { out_.push_back(v); }
    void u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f32(float v) { u32(std::bit_cast<std::uint32_t>(v)); }
    void f64(double v) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        for (int i = 0; i < 8; ++i) out_.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    }
    void zeros(std::size_t n) { out_.insert(out_.end(), n, 0); }
    void bytes(const void* p, std::size_t n) {
        const auto* b = static_cast<const std::uint8_t*>(p);
        out_.insert(out_.end(), b, b + n);
    }

private:
    std::vector<std::uint8_t>& out_;
};

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool has(std::size_t n) const { return n <= size_ - pos_; }
    std::uint32_t u32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= std::uint32_t(data_[pos_ + i]) << (8 * i);
        pos_ += 4;
        return v;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    float f32() { return std::bit_cast<float>(u32()); }
    double f64() {
        std::uint64_t v = 0;
        for (int i = 0; i < 8; ++i) v |= std::uint64_t(data_[pos_ + i]) << (8 * i);
        pos_ += 8;
        return std::bit_cast<double>(v);
    }
    std::uint8_t u8() { return data_[pos_++]; }
    const std::uint8_t* here() const { return data_ + pos_; }
    void skip(std::size_t n) { pos_ += n; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

void write_material(Writer& w, const Material& m) {
    w.u8(m.alpha_test ? 1 : 0);
    w.u8(m.blend ? 1 : 0);
    w.zeros(2);
    for (float v : m.ambient) w.f32(v);
    for (float v : m.diffuse) w.f32(v);
    for (float v : m.specular) w.f32(v);
    w.f32(m.shininess);
    w.zeros(4);
}

Material read_material(Reader& r) {
    Material m;
    m.alpha_test = r.u8() != 0;
    m.blend = r.u8() != 0;
    r.skip(2);
    for (float& v : m.ambient) v = r.f32();
    for (float& v : m.diffuse) v = r.f32();
    for (float& v : m.specular) v = r.f32();
    m.shininess = r.f32();
    r.skip(4);
    return m;
}

}  // namespace

std::vector<std::uint8_t> write_mesh_entry(std::span<const MeshRecord> records) {
    std::size_t total = 5;
    for (const MeshRecord& r : records) total += mesh_record_size(r.texture.size() + 1, r.mesh.triangles.size());
    std::vector<std::uint8_t> out;
    out.reserve(total);
    Writer w(out);
    w.u8(0);
    w.i32(static_cast<std::int32_t>(records.size()));
    for (const MeshRecord& r : records) {
        w.i32(static_cast<std::int32_t>(r.texture.size() + 1));
        w.bytes(r.texture.c_str(), r.texture.size() + 1);
        w.zeros(kRecordHeaderBytes);
        write_material(w, r.material);
        w.i32(static_cast<std::int32_t>(r.mesh.triangles.size()));
        w.u8(0);
        for (const Triangle& t : r.mesh.triangles)
            for (const Vertex& v : t.v) {
                w.f64(v.position.x);
                w.f64(v.position.y);
                w.f64(v.position.z);
            }
        for (const Triangle& t : r.mesh.triangles)
            for (const Vertex& v : t.v) {
                w.f64(v.normal.x);
                w.f64(v.normal.y);
                w.f64(v.normal.z);
            }
        for (const Triangle& t : r.mesh.triangles)
            for (const Vertex& v : t.v) {
                w.f64(v.texcoord.x);
                w.f64(v.texcoord.y);
            }
    }
    return out;
}

bool read_mesh_entry(const std::uint8_t* data, std::size_t size, std::vector<MeshRecord>* out,
                     std::string* error) {
    auto fail = [&](const char* message) {
        if (error) *error = message;
        return false;
    };
    Reader r(data, size);
    if (!r.has(1)) return fail("empty mesh entry");
    if (r.u8() == 255) {
        if (!r.has(4)) return fail("mesh entry ends inside its reserved field");
        r.skip(4);
    }
    if (!r.has(4)) return fail("mesh entry ends before its record count");
    const std::int32_t count = r.i32();
    if (count < 0) return fail("negative record count");
    std::vector<MeshRecord> records;
    for (std::int32_t i = 0; i < count; ++i) {
        if (!r.has(4)) return fail("record ends before its name length");
        const std::int32_t name_length = r.i32();
        if (name_length < 1 || !r.has(static_cast<std::size_t>(name_length)))
            return fail("bad texture name length");
        const std::uint8_t* name = r.here();
        if (name[name_length - 1] != 0) return fail("texture name without its zero byte");
        MeshRecord record;
        record.texture.assign(reinterpret_cast<const char*>(name), std::strlen(reinterpret_cast<const char*>(name)));
        r.skip(static_cast<std::size_t>(name_length));
        if (!r.has(kRecordHeaderBytes + kMaterialBytes + 5)) return fail("record ends inside its header");
        r.skip(kRecordHeaderBytes);
        record.material = read_material(r);
        const std::int32_t triangles = r.i32();
        r.skip(1);
        if (triangles < 0) return fail("negative triangle count");
        if (!r.has(192 * static_cast<std::size_t>(triangles))) return fail("record ends inside its arrays");
        record.mesh.triangles.resize(static_cast<std::size_t>(triangles));
        for (Triangle& t : record.mesh.triangles)
            for (Vertex& v : t.v) v.position = {r.f64(), r.f64(), r.f64()};
        for (Triangle& t : record.mesh.triangles)
            for (Vertex& v : t.v) v.normal = {r.f64(), r.f64(), r.f64()};
        for (Triangle& t : record.mesh.triangles)
            for (Vertex& v : t.v) v.texcoord = {r.f64(), r.f64()};
        records.push_back(std::move(record));
    }
    *out = std::move(records);
    return true;
}

}  // namespace kit
