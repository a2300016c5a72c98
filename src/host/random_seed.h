// Seeding of the process's random generator (srand). Every random draw of the
// system (butterfly archives, start angles, the fire generator) continues one
// sequence seeded once per process, so a world built again continues it
// instead of repeating it.
#pragma once

// Seeds with seed and marks the generator as seeded. A host that wants a
// reproducible run calls this before it creates the first view.
void seed_random(unsigned seed);

// Seeds with platform::random_seed() (the calendar time in seconds) unless the
// generator was seeded already in this process. The first view calls it when
// it is created.
void seed_random_once();
