// Deterministic damage to a media file: the same seed always gives the same bytes, so a
// failing file can be made again from its index and the campaign's seed alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace campaign {

using Bytes = std::vector<uint8_t>;

// A small, portable random source (splitmix64): the standard distributions differ between
// library versions, this does not.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next();
    // A number in [0, bound); 0 when bound is 0.
    uint64_t below(uint64_t bound) { return bound ? next() % bound : 0; }
    bool chance(int percent) { return below(100) < static_cast<uint64_t>(percent); }

private:
    uint64_t state_;
};

struct Mutant {
    Bytes bytes;
    std::string summary;  // what was done, e.g. "flip5@head trunc@3977"; "pristine" for none
};

// Damages `original` with one to three of: bit flips, truncation, a zeroed range, a range
// spliced in from `donor`, inserted random bytes, extreme integers written into the header
// (or the trailing index). With `pristine` the file is left whole.
Mutant mutate(const Bytes& original, const Bytes& donor, uint64_t seed, bool pristine);

}  // namespace campaign
