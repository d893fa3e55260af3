// Reads through a null pointer: what a test that crashes does.
int main(int argc, char**) {
    volatile int* nowhere = nullptr;
    return nowhere[argc - 1];
}
