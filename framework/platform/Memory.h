#pragma once
// The program's heap and the system.

namespace Plix {

// Gives the system back the whole free pages the allocator keeps (in every
// thread's arena): after loading, the decoders' and converted images' freed
// blocks would otherwise stay resident for the program's whole life.
void ReturnFreeMemory();

}  // namespace Plix
