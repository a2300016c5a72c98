#include "meadow/random.h"

int randi(int n) {
    if (n < 1) return 0;
    return std::rand() % n;
}
