*00000174cam a22000857a 4500
*001W1
*00900$xSCRAPPED
$y2023-11-14
*035  $a(KVSTHLM)20040305123456
*035  $a(Voyager)W1
$xW1
*24510$aGallrad bok
$cOkand.
*59200$aBatSorKV21
$b2023-11-14
*852  $hHc
$iu
*852  $cMag
$hHc
$iUtgallr
^
