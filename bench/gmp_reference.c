/* Reference timings for the long-number benchmark: the same workloads as `pelmorix-cli long`,
 * computed with GMP. Built and run by bench/long-numbers.sh only; never part of the product.
 *   gmp_reference add|sub|mul|div|mod A B    operands as decimal text or @FILE
 *   gmp_reference fac N | pi N | e N         pi and e: "3." / "2." and N - 1 fraction digits, cut
 */
#include <gmp.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <math.h>

static char* ReadOperand(const char* pszArg)
{
    if (pszArg[0] != '@')
        return strdup(pszArg);
    FILE* f = fopen(pszArg + 1, "rb");
    if (!f) {
        perror(pszArg + 1);
        exit(1);
    }
    fseek(f, 0, SEEK_END);
    long n = ftell(f);
    fseek(f, 0, SEEK_SET);
    char* s = malloc((size_t)n + 1);
    size_t got = fread(s, 1, (size_t)n, f);
    fclose(f);
    while (got > 0 && (s[got - 1] == '\n' || s[got - 1] == '\r' || s[got - 1] == ' '))
        --got;
    s[got] = 0;
    return s;
}

/* Chudnovsky series by binary splitting: P, Q, T over the terms k in [a, b). */
static void SplitPi(unsigned long a, unsigned long b, mpz_t P, mpz_t Q, mpz_t T, int needP)
{
    if (b - a == 1) {
        mpz_set_ui(P, 6 * a - 5);
        mpz_mul_ui(P, P, 2 * a - 1);
        mpz_mul_ui(P, P, 6 * a - 1);
        mpz_neg(P, P);
        mpz_set_ui(Q, a);
        mpz_mul_ui(Q, Q, a);
        mpz_mul_ui(Q, Q, a);
        mpz_mul_ui(Q, Q, 640320UL * 640320UL);
        mpz_mul_ui(Q, Q, 26680);
        mpz_mul_ui(T, P, 545140134UL * a + 13591409UL);
        return;
    }
    unsigned long m = (a + b) / 2;
    mpz_t P2, Q2, T2;
    mpz_inits(P2, Q2, T2, NULL);
    SplitPi(a, m, P, Q, T, 1);
    SplitPi(m, b, P2, Q2, T2, needP);
    mpz_mul(T, T, Q2);
    mpz_mul(T2, T2, P);
    mpz_add(T, T, T2);
    mpz_mul(Q, Q, Q2);
    if (needP)
        mpz_mul(P, P, P2);
    mpz_clears(P2, Q2, T2, NULL);
}

/* Sum of 1/(a (a+1) ... k) for k in [a, b) as T / Q. */
static void SplitE(unsigned long a, unsigned long b, mpz_t Q, mpz_t T)
{
    if (b - a == 1) {
        mpz_set_ui(Q, a);
        mpz_set_ui(T, 1);
        return;
    }
    unsigned long m = (a + b) / 2;
    mpz_t Q2, T2;
    mpz_inits(Q2, T2, NULL);
    SplitE(a, m, Q, T);
    SplitE(m, b, Q2, T2);
    mpz_mul(T, T, Q2);
    mpz_add(T, T, T2);
    mpz_mul(Q, Q, Q2);
    mpz_clears(Q2, T2, NULL);
}

/* Prints the integer part, the point and n - 1 fraction digits of x / 10^(n + 9). */
static void PrintCut(mpz_t x, long n)
{
    char* s = mpz_get_str(NULL, 10, x);
    if (n == 0)
        printf("%c\n", s[0]);
    else
        printf("%c.%.*s\n", s[0], (int)(n - 1), s + 1);
    free(s);
}

static void Pi(long n)
{
    long digits = n + 20;
    unsigned long terms = (unsigned long)(digits / 14.18) + 2;
    mpz_t P, Q, T, r, num;
    mpz_inits(P, Q, T, r, num, NULL);
    SplitPi(1, terms, P, Q, T, 0);
    mpz_ui_pow_ui(r, 10, 2 * (unsigned long)digits);
    mpz_mul_ui(r, r, 10005);
    mpz_sqrt(r, r); /* sqrt(10005) * 10^digits */
    mpz_mul(num, Q, r);
    mpz_mul_ui(num, num, 426880);
    mpz_mul_ui(Q, Q, 13591409);
    mpz_add(Q, Q, T);
    mpz_tdiv_q(num, num, Q);
    PrintCut(num, n);
    mpz_clears(P, Q, T, r, num, NULL);
}

static void E(long n)
{
    long digits = n + 20;
    unsigned long terms = 2;
    double logf = 0;
    while (logf < digits + 3)
        logf += log10((double)++terms);
    mpz_t Q, T, num;
    mpz_inits(Q, T, num, NULL);
    SplitE(1, terms + 1, Q, T);
    mpz_add(num, Q, T);
    mpz_ui_pow_ui(T, 10, (unsigned long)digits);
    mpz_mul(num, num, T);
    mpz_tdiv_q(num, num, Q);
    PrintCut(num, n);
    mpz_clears(Q, T, num, NULL);
}

int main(int argc, char** argv)
{
    if (argc == 3) {
        long n = atol(argv[2]);
        mpz_t x;
        mpz_init(x);
        if (!strcmp(argv[1], "fac")) {
            mpz_fac_ui(x, (unsigned long)n);
            mpz_out_str(stdout, 10, x);
            putchar('\n');
        } else if (!strcmp(argv[1], "pi"))
            Pi(n);
        else if (!strcmp(argv[1], "e"))
            E(n);
        else
            return 2;
        mpz_clear(x);
        return 0;
    }
    if (argc != 4)
        return 2;
    char* sa = ReadOperand(argv[2]);
    char* sb = ReadOperand(argv[3]);
    mpz_t a, b, r;
    mpz_inits(a, b, r, NULL);
    mpz_set_str(a, sa, 10);
    mpz_set_str(b, sb, 10);
    const char* op = argv[1];
    if (!strcmp(op, "add"))
        mpz_add(r, a, b);
    else if (!strcmp(op, "sub"))
        mpz_sub(r, a, b);
    else if (!strcmp(op, "mul"))
        mpz_mul(r, a, b);
    else if (!strcmp(op, "div"))
        mpz_tdiv_q(r, a, b);
    else if (!strcmp(op, "mod"))
        mpz_tdiv_r(r, a, b);
    else
        return 2;
    mpz_out_str(stdout, 10, r);
    putchar('\n');
    mpz_clears(a, b, r, NULL);
    free(sa);
    free(sb);
    return 0;
}
