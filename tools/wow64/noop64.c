/* The 64-bit twin of trapno.so: 64-bit processes in nsrun.sh's namespace load it, and it does
 * nothing. */
void trapno_shim_noop(void) {}
