// Linked with all the objects of one layer of the program and only the layers it may use:
// the link fails when the layer calls into one it must not depend on.
int main()
{
    return 0;
}
