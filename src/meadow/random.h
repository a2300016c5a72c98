// Random draws for the scene arrangement, all on the process's one generator
// (std::rand), which the host seeds once when it loads the system.
#pragma once

#include <cstdlib>
#include <vector>

// A uniform integer from 0 to n - 1 (rand() modulo n). n below 1 draws
// nothing and gives 0.
int randi(int n);

// A list of names to pick from at random, with repetition. Holds the name
// pointers only; the names themselves must outlive the picks (string
// constants in practice). T is const char* or char*.
template <class T>
class Randname {
public:
    void push(T name) { names.push_back(name); }

    // The name at index rand() modulo the number of names; an empty list draws
    // nothing and gives a null name.
    T rand() const {
        if (names.empty()) return T{};
        return names[static_cast<std::size_t>(std::rand()) % names.size()];
    }

    std::vector<T> names;  // in the order pushed
};
