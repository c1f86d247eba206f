/* A library built for SSE2 processors, which the instruction-set check must
   refuse. */
#include <emmintrin.h>

__declspec(dllexport) void AddFour(int* values, const int* more)
{
    const __m128i sum = _mm_add_epi32(_mm_loadu_si128((const __m128i*)values), _mm_loadu_si128((const __m128i*)more));
    _mm_storeu_si128((__m128i*)values, sum);
}
