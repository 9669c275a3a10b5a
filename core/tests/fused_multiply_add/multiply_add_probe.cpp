// a * b + c as the core might write it. Built with the project's flags it must stay a multiply
// and an add; built with contraction allowed it becomes one fused instruction, which shows that
// the search for such instructions finds them.
double quorelMultiplyAdd(double a, double b, double c) {
    return a * b + c;
}
