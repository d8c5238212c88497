// The processor's vector register state at the border between our code and
// the host's. Code built for AVX (the GUI toolkit's, a libm variant) may
// return with the upper halves of the vector registers in use; every SSE
// instruction afterwards then pays a transition penalty or a false
// dependency, which made the generator three times slower behind the front
// ends than alone. Clearing the state where control comes back to us costs
// one instruction and keeps the generator built for the baseline processor.
#pragma once

namespace tarvello {

// Clears the upper halves of the vector registers (vzeroupper) on a
// processor with AVX; does nothing elsewhere, and on other architectures.
void vektorzustand_leeren();

} // namespace tarvello
