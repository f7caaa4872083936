// Freestanding firmware for the ELF corpus, linked by flash.ld: code and constant data in flash,
// initialised data loaded from flash and run in RAM, zeroed data in RAM only.
namespace board {

template <typename T>
struct reg
{
    volatile T *address;
    void set(T value) { *address = value; }
};

unsigned int ticks = 0x5A5A0001;
unsigned short levels[5] = { 10, 20, 30, 40, 50 };
unsigned int scratch[16];
const char banner[] = "corpus firmware";

int blink(int times)
{
    reg<unsigned int> led = { reinterpret_cast<volatile unsigned int *>(0x40020014) };
    for (int i = 0; i < times; ++i)
        led.set(ticks + levels[i % 5]);
    return times + banner[0];
}

} // namespace board

extern "C" {
extern unsigned int __data_load, __data_start, __data_end, __bss_start, __bss_end;

void reset(void)
{
    unsigned int *from = &__data_load;
    for (unsigned int *to = &__data_start; to < &__data_end;)
        *to++ = *from++;
    for (unsigned int *to = &__bss_start; to < &__bss_end;)
        *to++ = 0;
    for (;;)
        board::scratch[0] = static_cast<unsigned int>(board::blink(3));
}

__attribute__((section(".vectors"), used)) const void *const vectors[2] = {
    reinterpret_cast<const void *>(0x20004000), reinterpret_cast<const void *>(&reset)
};
}
