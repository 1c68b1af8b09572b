/* trapno32.c - the LD_PRELOAD shim for 32-bit Wine under qemu-i386 (nsrun.sh loads it).
 * qemu-user (7.2 and 10.0 alike) resets the CPU's exception index before it builds the guest's signal frame, so
 * every SIGSEGV, SIGFPE, SIGILL, SIGBUS and SIGTRAP reaches the guest with sigcontext.trapno
 * = -1. Wine's 32-bit handlers classify faults by trapno: with -1 each page fault becomes
 * "unexpected trap -1", an EXCEPTION_ILLEGAL_INSTRUCTION that nothing handles, so every
 * handled access violation (IsBadReadPtr, lstrlenA of a bad pointer, guard pages, a DLL's
 * own exception handlers) kills the process, and a divide by zero is no
 * EXCEPTION_INT_DIVIDE_BY_ZERO. This shim wraps the handlers that the process installs for
 * those signals and, where trapno is -1, writes the trap number the kernel would have written
 * (from the signal and its si_code) before it calls the handler. It changes nothing where
 * trapno is valid (a qemu that fills it in).
 * No libc headers (the i386 ones need not be installed); -fno-stack-protector: the trampoline
 * runs before Wine has checked the segment registers. build-shim.sh builds it.
 */
typedef unsigned int u32;
#define SIGILL 4
#define SIGTRAP 5
#define SIGBUS 7
#define SIGFPE 8
#define SIGSEGV 11
#define SA_SIGINFO 4
#define SI_KERNEL 0x80
#define TRAP_TRACE 2
#define FPE_INTDIV 1
#define FPE_INTOVF 2
#define RTLD_NEXT ((void *)-1l)
extern void *dlsym(void *, const char *);

/* glibc's i386 struct sigaction: handler, 1024-bit mask, flags, restorer. */
struct k_sigaction { void *handler; u32 mask[32]; int flags; void *restorer; };
typedef void (*info_handler)(int, void *, void *);
typedef int (*sigaction_fn)(int, const struct k_sigaction *, struct k_sigaction *);

/* ucontext: flags, link, stack (3 words), then the registers gs ... ss; trapno is the 13th. */
#define UC_TRAPNO(uc) (((u32 *)(uc))[5 + 12])
#define SI_CODE(si) (((int *)(si))[2])

static info_handler real_handler[65];

static int wrapped(int sig)
{
    return sig == SIGSEGV || sig == SIGBUS || sig == SIGILL || sig == SIGFPE || sig == SIGTRAP;
}

static void trampoline(int sig, void *si, void *uc)
{
    if (uc && UC_TRAPNO(uc) == 0xffffffffu) {
        int code = si ? SI_CODE(si) : 0;
        switch (sig) {
        case SIGSEGV: UC_TRAPNO(uc) = code == SI_KERNEL ? 13 : 14; break;  /* #GP or #PF */
        case SIGBUS: UC_TRAPNO(uc) = code == SI_KERNEL ? 11 : 14; break;   /* #NP or #PF */
        case SIGILL: UC_TRAPNO(uc) = 6; break;                             /* #UD */
        case SIGFPE: UC_TRAPNO(uc) = code == FPE_INTDIV || code == FPE_INTOVF ? 0 : 16; break;
        case SIGTRAP: UC_TRAPNO(uc) = code == TRAP_TRACE ? 1 : 3; break;  /* #DB or #BP */
        }
    }
    real_handler[sig](sig, si, uc);
}

int sigaction(int sig, const struct k_sigaction *act, struct k_sigaction *old)
{
    static sigaction_fn real;
    struct k_sigaction mine;
    info_handler before;
    int r;
    if (!real) real = (sigaction_fn)dlsym(RTLD_NEXT, "sigaction");
    if (sig <= 0 || sig > 64 || !wrapped(sig)) return real(sig, act, old);
    before = real_handler[sig];
    if (act && (act->flags & SA_SIGINFO) && act->handler && act->handler != (void *)1) {
        mine = *act;
        real_handler[sig] = (info_handler)act->handler;
        mine.handler = (void *)trampoline;
        r = real(sig, &mine, old);
        if (r != 0) real_handler[sig] = before;
    } else {
        r = real(sig, act, old);
    }
    /* Callers see the handler they installed, not the trampoline. */
    if (r == 0 && old && old->handler == (void *)trampoline) old->handler = (void *)before;
    return r;
}
