#include "app/Lifecycle.h"

int main(int argc, char** argv)
{
    return nevalon::app::Main(argc, argv);
}
