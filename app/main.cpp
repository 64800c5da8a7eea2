#include "app/Lifecycle.h"

int main(int argc, char** argv)
{
    nevalon::app::Main(argc, argv);
}
