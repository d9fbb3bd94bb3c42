#include "app/Pornire.h"

int main(int argc, char **argv)
{
    return PornesteLauridex(argc, argv);
}
