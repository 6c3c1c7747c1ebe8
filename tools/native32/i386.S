/* The tiny i386 program that scripts/native32 runs to see whether this
 * machine runs 32-bit x86 programs itself: a whole ELF file, its header and
 * one loadable segment at 0x08048000 written out here, then read(0, esp, 1)
 * and exit(42). It waits on its input, so that what runs it can be seen.
 * The file i386 beside this one is made from it, and checked in so that
 * the probe needs nothing installed (tests/host/native32_test makes it
 * again and compares):
 *   clang --target=i386-linux-gnu -c i386.S -o i386.o
 *   llvm-objcopy -O binary -j .text i386.o i386
 */
    .text
    .code32
    .set base, 0x08048000
file:
    /* ELF header: 32-bit, little-endian, version 1, an executable for i386 */
    .byte 0x7f, 'E', 'L', 'F', 1, 1, 1, 0
    .fill 8, 1, 0
    .short 2, 3
    .long 1, base + start - file, program_headers - file, 0, 0
    .short program_headers - file, 32, 1, 0, 0, 0
program_headers:
    /* one loadable segment: the whole file, readable and executable */
    .long 1, 0, base, base, end - file, end - file, 5, 0x1000
start:
    movl $3, %eax /* read(0, esp, 1) */
    xorl %ebx, %ebx
    movl %esp, %ecx
    movl $1, %edx
    int $0x80
    movl $1, %eax /* exit(42) */
    movl $42, %ebx
    int $0x80
end:
