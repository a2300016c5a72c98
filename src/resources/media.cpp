#include "resources/media.h"

#include <utility>

Media::~Media() {
    for (Pack* pack : packs) delete pack;
}

void Media::setpwd(std::string prefix) { pwd = std::move(prefix); }

int Media::find(const char* name) const {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return static_cast<int>(i);
    return -1;
}

Pack* Media::loadpack(const char* name) {
    int index = find(name);
    if (index >= 0) {
        ++refs[index];
        return packs[index];
    }
    // "0" (any prefix starting with '0') stands for no prefix.
    const std::string path = !pwd.empty() && pwd[0] != '0' ? pwd + name : std::string(name);
    auto* pack = new Pack(path.c_str());
    packs.push_back(pack);
    names.emplace_back(name);
    refs.push_back(1);
    return pack;
}

raw Media::get(const char* archive, const char* entry) { return loadpack(archive)->getfile(entry); }

unsigned int Media::getimage(const char* archive, const char* entry) {
    return loadpack(archive)->getimage(entry);
}

void Media::unget(const char* archive) {
    int index = find(archive);
    if (index >= 0) release(index);
}

void Media::ungetimage(const char* archive, unsigned int texture) {
    int index = find(archive);
    if (index < 0) return;
    packs[index]->ungetimage(texture);
    release(index);
}

void Media::release(int index) {
    if (--refs[index] > 0) return;
    delete packs[index];
    packs.erase(packs.begin() + index);
    names.erase(names.begin() + index);
    refs.erase(refs.begin() + index);
}
