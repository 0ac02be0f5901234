*00000193cas a22000857a 4500
*001P77
*022  $a1234-5678
*035  $a(Voyager)P77
$xP77
*24500$aTidskrift för bibliotek
*260  $aLund
$c[199-?]
$y1990
*59200$aBatSorKV21
$b2023-11-14
*852  $bHuvudbiblioteket
$cMag
$hTidskr
$iHylla
^
