// A small Cortex-M3 firmware for the examples: a vector table, a reset handler that sets up
// RAM the way a C start-up file does, and a main loop. counter lives in .data (at its RAM
// address, with its initial value stored in flash), ticks in .bss (RAM only). The image ends
// with two words the linker script reserves, image_version and image_crc, for the stamping
// examples; a boot loader would check them before it jumps to reset_handler.
#include <stdint.h>

extern uint32_t _sidata[], _sdata[], _edata[], _sbss[], _ebss[], _estack[];
extern const uint32_t image_version;

volatile uint32_t counter = 0x11223344;
volatile uint32_t ticks;

int main(void);
void reset_handler(void);

void default_handler(void)
{
    for (;;) {
    }
}

void systick_handler(void)
{
    ++ticks;
}

// The first 16 entries of the Cortex-M vector table: the initial stack pointer, then the
// handlers of the system exceptions (0 where the architecture reserves the entry).
__attribute__((section(".vectors"), used)) void (*const vectors[16])(void) = {
    (void (*)(void))_estack, reset_handler, default_handler, default_handler, default_handler,
    default_handler, default_handler, 0, 0, 0, 0, default_handler, default_handler, 0,
    default_handler, systick_handler,
};

void reset_handler(void)
{
    for (uint32_t *from = _sidata, *to = _sdata; to < _edata;)
        *to++ = *from++;
    for (uint32_t *to = _sbss; to < _ebss;)
        *to++ = 0;
    main();
    default_handler();
}

int main(void)
{
    for (;;)
        counter += ticks + (image_version & 0xFF);
}
