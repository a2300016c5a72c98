// Small resource archives for tests: minimal mesh entries whose single record
// names a texture "@<entry>" (an image the archive does not hold, so the mesh
// draws untextured) and a temporary folder to write them into. The tag lets a
// test tell which entry a drawn Model came from (Model::texture_name).
#pragma once

#include <string>
#include <vector>

namespace lunabrelle::test {

// A mesh entry: marker 0, count 1, one record with texture name texture
// (zero byte added), an opaque white material and one triangle in the z = 0
// plane with corners (0,0), (1,0), (0,1).
std::vector<unsigned char> tagged_mesh_entry(const std::string& texture);

// The texture name tagged_mesh_entry is given for entry.
std::string mesh_tag(const std::string& entry);

// A fresh folder under the system's temporary folder, removed with all it
// holds on destruction.
class TempArchiveFolder {
public:
    TempArchiveFolder();
    ~TempArchiveFolder();
    TempArchiveFolder(const TempArchiveFolder&) = delete;
    TempArchiveFolder& operator=(const TempArchiveFolder&) = delete;

    // Writes archive name holding one tagged mesh entry per entry name.
    void write_tagged_archive(const std::string& name, const std::vector<std::string>& entries) const;

    // Writes every archive the scene opens ("main.pak", "butterfly1.pak" ..
    // "butterfly5.pak", "clock.pak", "calendar.pak", "utils.pak") with all the
    // entries the scene names.
    void write_scene_archives() const;

    std::string path;  // no trailing '/'
};

}  // namespace lunabrelle::test
