// The random bytes of qpdf's encryption (an initialization vector for every
// string and stream, the random owner password), from the system's generator.
#pragma once

// Makes qpdf take its random bytes from RtlGenRandom, in blocks. qpdf's own
// source opens the system's crypto provider for every call: a few
// milliseconds each under Wine, seconds for a document of 100 pages, and the
// provider's first load alone took 100 to 350 ms there. Once per process.
void UseSystemRandomSource();
