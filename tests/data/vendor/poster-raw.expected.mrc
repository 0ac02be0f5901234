*00000000na   22        45  
*0011000001
*007sd fsngnnmmned
*008061204s2006    sw     j          1      
*020  $a91-0-012345-6
$x91-0-012345-6
*029 1$a9100123
*02961$a1000001
*0410 $aswe
$aeng
*0841 $aHc.01
*1001 $aStr|m, Karin
$c1950-
*24500$aV}r i G|teborg
$hTalbok
$ben ber{ttelse
$cKarin Str|m
*2450 $aDet st|rsta = The largest
$bUndertitel
*250  $a2. uppl.
$bRev.
*260  $aStockholm
$bF|rlaget
$c2006
*300  $a3 tim. (1 cd)
$c12 cm
*440  $aStora b|cker : {ventyr / 10
*500  $aKopierad fr}n: Bokf|rlaget 2005
*500  $aISBN 91-0-012345-6
*5058 $aDel 1. Del 2
*59200$aDALKKONV
$b2023-11-14
*59691$aBokf|rlaget 2005
$hTalbok
$mLjudbok på CD
*600  $aStr|m, Karin
$d1950
*6001 $aStr|m, Karin
$c1950-
*660  $aG|teborg
*70093$aSvensson, Per
*70093$aBerg, Eva
*7001 $aBerg, Eva
$4pbl
*852  $hHc
*856  $uhttp://exempel.se/bok
$fvisa1
*8870 $bxTA0000001
^
*00000000nam  22        45  
*0012000001
*007ta
*008061204s2006    sw     j          0      
*02961$a2000001
*0410 $aswe
*24500$aSamlade verk
*260  $aUppsala
$bAkademif|rlaget
$c2004
*59200$aDALKKONV
$b2023-11-14
*59691$hBok
$mKartong
*8870 $bxKA0000002
^
