// The yardstick for process start-up under Wine: a console program that does nothing.
int main() {
    return 0;
}
