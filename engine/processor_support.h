// What the processor offers and the operating system saves across task
// switches: an instruction set is usable only with both.
#pragma once

namespace plx {

// AVX2, with the system saving YMM state.
bool Avx2Usable();

// AVX-512 F, BW and VBMI, with the system saving opmask and ZMM state.
bool Avx512VbmiUsable();

}  // namespace plx
