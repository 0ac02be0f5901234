*000 a g            m       
*008990101x19859999sw m  p      a0   1 swed
*24500$aTidskriften
*52200$aBatSorM21
$b2023-11-14
^
