#pragma once
// The widest vector instructions the processor runs, for the pixel loops
// that have a way for each.
enum class TVectorWidth { Sse2, Avx2, Avx512 };

// AVX2 counts only with FMA; AVX-512 only with AVX2.
TVectorWidth ProcessorVectorWidth();
