@include "b.dcl"
#include "c.dcl"
d : dialog { :: button {} }
