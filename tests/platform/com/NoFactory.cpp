// A library that is no component: it exports no factory.
extern "C" int ComProbeNothing() { return 0; }
